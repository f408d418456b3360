#!/bin/sh
# Runs the README's screenshot script in English and in each language shipped, at once:
# every picture must be the one in docs/screenshots (the countdown's is left out: it shows
# real time), and the screens and labels the events report the same in every language.
#   screenshots_test.sh APP SOURCE_DIR WORK_DIR
set -u
app=$1 source=$2 work=$3
rm -rf "$work" && mkdir -p "$work" || exit 1

shoot() {  # LANG FOLDER
  mkdir -p "$work/$2" && cd "$work/$2" &&
    sed "s#docs/screenshots/##" "$source/docs/screenshots.kiro" >shots.kiro &&
    env -u LANGUAGE -u LC_ALL -u LC_MESSAGES LANG="$1" \
      "$app" --simulate --settings s.ini --documents . --script shots.kiro >events.jsonl 2>stderr.txt
}
shoot C.UTF-8 en & en=$!
shoot de_DE.UTF-8 de & de=$!
shoot zh_CN.UTF-8 zh_CN & zh=$!
failed=0
for run in $en $de $zh; do wait "$run" || failed=1; done
[ $failed -eq 0 ] || { cat "$work"/*/stderr.txt >&2; exit 1; }

said() { grep -E '"event":"(label|screen)"' "$work/$1/events.jsonl" | sed 's/"t":[0-9]*,//'; }
said en >"$work/en.said"
for language in en de zh_CN; do
  pictures=$source/docs/screenshots
  [ "$language" = en ] || pictures=$pictures/$language
  for picture in devices alert remote landscape about web timer presets; do
    cmp "$work/$language/$picture.png" "$pictures/$picture.png" || exit 1
  done
  said "$language" | diff -u "$work/en.said" - || exit 1
done
