<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>Window</name>
    <message>
        <source>KIRO Remote (simulated receivers)</source>
        <translation>KIRO Remote (simulierte Empfänger)</translation>
    </message>
    <message>
        <source>connected</source>
        <translation>verbunden</translation>
    </message>
    <message>
        <source>connecting</source>
        <translation>verbindet</translation>
    </message>
    <message>
        <source>disconnected</source>
        <translation>getrennt</translation>
    </message>
    <message>
        <source>Not accepting commands</source>
        <translation>Nimmt keine Befehle an</translation>
    </message>
    <message>
        <source>Timer</source>
        <translation>Timer</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Focus</source>
        <translation>Fokus</translation>
    </message>
    <message>
        <source>Shutter release</source>
        <translation>Auslöser</translation>
    </message>
    <message>
        <source>Green lamp</source>
        <translation>Grüne Lampe</translation>
    </message>
    <message>
        <source>Blue lamp</source>
        <translation>Blaue Lampe</translation>
    </message>
    <message>
        <source>Red lamp</source>
        <translation>Rote Lampe</translation>
    </message>
    <message>
        <source>Search for receivers</source>
        <translation>Empfänger suchen</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Timed shooting</source>
        <translation>Zeitgesteuert auslösen</translation>
    </message>
    <message>
        <source>Stop timed shooting</source>
        <translation>Zeitsteuerung beenden</translation>
    </message>
    <message>
        <source>%1, %2 missed</source>
        <translation>%1, %2 verpasst</translation>
    </message>
    <message>
        <source>%1, %2 short</source>
        <translation>%1, %2 zu kurz</translation>
    </message>
    <message>
        <source>%1, next in %2</source>
        <translation>%1, nächste in %2</translation>
    </message>
    <message>
        <source>Shot %1 of %2</source>
        <translation>Aufnahme %1 von %2</translation>
    </message>
    <message>
        <source>Shot %1</source>
        <translation>Aufnahme %1</translation>
    </message>
    <message>
        <source>the system went to sleep</source>
        <translation>das System ging in den Ruhezustand</translation>
    </message>
    <message>
        <source>the app is ending</source>
        <translation>die App wird beendet</translation>
    </message>
    <message>
        <source>Bluetooth Device</source>
        <translation>Bluetooth-Gerät</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>Gerät</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Receivers</source>
        <translation>Empfänger</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <source>%1, connected</source>
        <translation>%1, verbunden</translation>
    </message>
    <message>
        <source>%1, connecting</source>
        <translation>%1, verbindet</translation>
    </message>
    <message>
        <source>%1, disconnected</source>
        <translation>%1, getrennt</translation>
    </message>
    <message>
        <source>Can not connect</source>
        <translation>Verbindung nicht möglich</translation>
    </message>
    <message>
        <source>A device has connected</source>
        <translation>Ein Gerät ist bereits verbunden</translation>
    </message>
    <message>
        <source>YES</source>
        <translation>JA</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>Thank you for using the KIRO-Remoter APP</source>
        <translation>Danke, dass Sie die KIRO-Remoter-App verwenden</translation>
    </message>
    <message>
        <source>The APP is a wireless remoter.It can communicate with the KIRO receiver via the bluetooth,and then to realize the focus and shutter release on the camera.</source>
        <translation>Die App ist eine drahtlose Fernbedienung. Sie verbindet sich über Bluetooth mit dem KIRO-Empfänger und stellt so an der Kamera scharf und löst aus.</translation>
    </message>
    <message>
        <source>How to use?</source>
        <translation>Wie wird sie benutzt?</translation>
    </message>
    <message>
        <source>Before using the APP, ensure that the Bluetooth of your KIRO and your cellphone are on and the KIRO has been connected to the camera properly.</source>
        <translation>Schalten Sie vorher Bluetooth an Ihrem KIRO und Ihrem Telefon ein und schließen Sie den KIRO richtig an die Kamera an.</translation>
    </message>
    <message>
        <source>1.Click</source>
        <translation>1. Tippen Sie auf</translation>
    </message>
    <message>
        <source>button to search your KIRO.</source>
        <translation>und Ihr KIRO wird gesucht.</translation>
    </message>
    <message>
        <source>2.While your KIRO is searched and listed, click Bluetooth button and the APP will connect with your KIRO. If the connection is successful, the Bluetooth button will light up.</source>
        <translation>2. Sobald Ihr KIRO gefunden und aufgelistet ist, tippen Sie auf die Bluetooth-Taste, und die App verbindet sich mit ihm. Steht die Verbindung, leuchtet die Bluetooth-Taste.</translation>
    </message>
    <message>
        <source>3.To back to main menu, click &apos; &lt; &apos;.</source>
        <translation>3. Zurück zum Hauptmenü geht es mit &apos; &lt; &apos;.</translation>
    </message>
    <message>
        <source>4.To do the focus, press F button. A green indicator will light up to indicate that the KIRO has got the command.</source>
        <translation>4. Zum Scharfstellen drücken Sie F. Eine grüne Lampe zeigt, dass der KIRO den Befehl erhalten hat.</translation>
    </message>
    <message>
        <source>5.To do the shutter release, press R button. A red indicator and a blue indicator will light up to indicate that the KIRO has got the command and the camera has completed the shutter release successfully.</source>
        <translation>5. Zum Auslösen drücken Sie R. Eine rote und eine blaue Lampe zeigen, dass der KIRO den Befehl erhalten und die Kamera ausgelöst hat.</translation>
    </message>
    <message>
        <source>Copyright © 2026 KIRO Remote developers. All rights reserved.</source>
        <translation>Copyright © 2026 KIRO-Remote-Entwickler. Alle Rechte vorbehalten.</translation>
    </message>
    <message>
        <source>Self-timer</source>
        <translation>Selbstauslöser</translation>
    </message>
    <message>
        <source>Bulb</source>
        <translation>Langzeit</translation>
    </message>
    <message>
        <source>Intervals</source>
        <translation>Intervalle</translation>
    </message>
    <message>
        <source>Delay</source>
        <translation>Verzögerung</translation>
    </message>
    <message>
        <source>Start at</source>
        <translation>Start um</translation>
    </message>
    <message>
        <source>Interval</source>
        <translation>Intervall</translation>
    </message>
    <message>
        <source>Shots</source>
        <translation>Aufnahmen</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Starten</translation>
    </message>
    <message>
        <source>Presets</source>
        <translation>Vorlagen</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Sichern</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>none</source>
        <translation>keine</translation>
    </message>
    <message>
        <source>press</source>
        <translation>Druck</translation>
    </message>
    <message>
        <source>forever</source>
        <translation>endlos</translation>
    </message>
    <message>
        <source>Countdown sound: on</source>
        <translation>Countdown-Ton: an</translation>
    </message>
    <message>
        <source>Countdown sound: off</source>
        <translation>Countdown-Ton: aus</translation>
    </message>
    <message>
        <source>Delay or start time</source>
        <translation>Verzögerung oder Startzeit</translation>
    </message>
    <message>
        <source>%1, less</source>
        <translation>%1, weniger</translation>
    </message>
    <message>
        <source>%1, more</source>
        <translation>%1, mehr</translation>
    </message>
    <message>
        <source>Delay: %1</source>
        <translation>Verzögerung: %1</translation>
    </message>
    <message>
        <source>Start at: %1</source>
        <translation>Start um: %1</translation>
    </message>
    <message>
        <source>Bulb: %1</source>
        <translation>Langzeit: %1</translation>
    </message>
    <message>
        <source>Interval: %1</source>
        <translation>Intervall: %1</translation>
    </message>
    <message>
        <source>Shots: %1</source>
        <translation>Aufnahmen: %1</translation>
    </message>
    <message>
        <source>First shot %1, ends about %2</source>
        <translation>Erste Aufnahme %1, Ende gegen %2</translation>
    </message>
    <message>
        <source>First shot %1, until stopped</source>
        <translation>Erste Aufnahme %1, bis zum Beenden</translation>
    </message>
    <message>
        <source>Cannot use that value</source>
        <translation>Wert nicht verwendbar</translation>
    </message>
    <message>
        <source>Cannot start</source>
        <translation>Start nicht möglich</translation>
    </message>
    <message>
        <source>Cannot save</source>
        <translation>Sichern nicht möglich</translation>
    </message>
    <message>
        <source>Cannot use it</source>
        <translation>Nicht verwendbar</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>the shots are 1 to %1, or forever: not %2</source>
        <translation>Aufnahmen: 1 bis %1 oder endlos, nicht %2</translation>
    </message>
    <message>
        <source>a bulb is from %1 to %2: not %3</source>
        <translation>Langzeit geht von %1 bis %2, nicht %3</translation>
    </message>
    <message>
        <source>a delay is from %1 to %2: not %3</source>
        <translation>Verzögerung geht von %1 bis %2, nicht %3</translation>
    </message>
    <message>
        <source>an interval is from %1 to %2: not %3</source>
        <translation>Ein Intervall geht von %1 bis %2, nicht %3</translation>
    </message>
    <message>
        <source>the interval must be more than zero</source>
        <translation>das Intervall muss größer als null sein</translation>
    </message>
    <message>
        <source>the number of shots must be more than zero</source>
        <translation>die Zahl der Aufnahmen muss größer als null sein</translation>
    </message>
    <message>
        <source>the delay must be more than zero</source>
        <translation>die Verzögerung muss größer als null sein</translation>
    </message>
    <message>
        <source>the bulb time must be more than zero</source>
        <translation>die Belichtungszeit muss größer als null sein</translation>
    </message>
    <message>
        <source>a bulb exposure needs its length</source>
        <translation>eine Langzeitbelichtung braucht ihre Dauer</translation>
    </message>
    <message>
        <source>the self-timer needs a delay or a start time</source>
        <translation>der Selbstauslöser braucht eine Verzögerung oder eine Startzeit</translation>
    </message>
    <message>
        <source>a plan starts after a delay or at a time, not both</source>
        <translation>ein Plan beginnt nach einer Verzögerung oder zu einer Uhrzeit, nicht beides</translation>
    </message>
    <message>
        <source>the plan would run %1, past 7 days</source>
        <translation>der Plan liefe %1, länger als 7 Tage</translation>
    </message>
    <message>
        <source>a preset needs a name</source>
        <translation>eine Vorlage braucht einen Namen</translation>
    </message>
    <message>
        <source>no preset named %1</source>
        <translation>keine Vorlage namens %1</translation>
    </message>
    <message>
        <source>a preset named %1 is there already</source>
        <translation>eine Vorlage namens %1 gibt es schon</translation>
    </message>
    <message>
        <source>Done: 1 shot</source>
        <translation>Fertig: 1 Aufnahme</translation>
    </message>
    <message>
        <source>Done: %1 shots</source>
        <translation>Fertig: %1 Aufnahmen</translation>
    </message>
    <message>
        <source>Stopped after 1 shot: %1</source>
        <translation>Beendet nach 1 Aufnahme: %1</translation>
    </message>
    <message>
        <source>Stopped after %1 shots: %2</source>
        <translation>Beendet nach %1 Aufnahmen: %2</translation>
    </message>
    <message>
        <source>Stopped after 1 shot</source>
        <translation>Beendet nach 1 Aufnahme</translation>
    </message>
    <message>
        <source>Stopped after %1 shots</source>
        <translation>Beendet nach %1 Aufnahmen</translation>
    </message>
    <message>
        <source>A series is running: Stop first</source>
        <translation>Eine Serie läuft: erst Stopp</translation>
    </message>
    <message>
        <source>Ramp to</source>
        <translation>Rampe bis</translation>
    </message>
    <message>
        <source>Bracket</source>
        <translation>Reihe</translation>
    </message>
    <message>
        <source>Ramp to: %1</source>
        <translation>Rampe bis: %1</translation>
    </message>
    <message>
        <source>Bracket: %1</source>
        <translation>Reihe: %1</translation>
    </message>
    <message>
        <source>a ramp's last bulb is from %1 to %2: not %3</source>
        <translation>die letzte Belichtung einer Rampe ist %1 bis %2: nicht %3</translation>
    </message>
    <message>
        <source>a bracket is none, or 3, 5, 7 or 9 shots up to 3 stops apart, such as 3x1/3: not %1</source>
        <translation>eine Reihe ist keine, oder 3, 5, 7 oder 9 Aufnahmen bis 3 Blenden auseinander, etwa 3x1/3: nicht %1</translation>
    </message>
    <message>
        <source>a ramp needs the bulb it starts from</source>
        <translation>eine Rampe braucht die Belichtung, mit der sie beginnt</translation>
    </message>
    <message>
        <source>a ramp needs a number of shots, 2 or more, or an end</source>
        <translation>eine Rampe braucht eine Zahl von Aufnahmen, 2 oder mehr, oder ein Ende</translation>
    </message>
    <message>
        <source>a bracket needs a bulb to go around</source>
        <translation>eine Reihe braucht eine Belichtung, um die sie liegt</translation>
    </message>
    <message>
        <source>the interval (%1) is shorter than a shot (%2) and its release notice (%3)</source>
        <translation>das Intervall (%1) ist kürzer als eine Aufnahme (%2) und ihre Freigabemeldung (%3)</translation>
    </message>
    <message>
        <source>the interval (%1) is shorter than the longest bulb (%2) and its release notice (%3)</source>
        <translation>das Intervall (%1) ist kürzer als die längste Belichtung (%2) und ihre Freigabemeldung (%3)</translation>
    </message>
    <message>
        <source>the interval (%1) is shorter than a bracket of %2 shots and their release notices (%3)</source>
        <translation>das Intervall (%1) ist kürzer als eine Reihe von %2 Aufnahmen und ihre Freigabemeldungen (%3)</translation>
    </message>
    <message>
        <source>%1 tomorrow</source>
        <translation>%1 morgen</translation>
    </message>
    <message>
        <source>%1 in %2 days</source>
        <translation>%1 in %2 Tagen</translation>
    </message>
    <message>
        <source>No receiver chosen yet</source>
        <translation>Noch kein Empfänger gewählt</translation>
    </message>
    <message>
        <source>Not connected: shots are missed until it is</source>
        <translation>Nicht verbunden: Aufnahmen fallen aus, bis er verbunden ist</translation>
    </message>
    <message>
        <source>Until stopped</source>
        <translation>Bis zum Stopp</translation>
    </message>
    <message>
        <source>Ends about %1, %2 left</source>
        <translation>Endet gegen %1, noch %2</translation>
    </message>
    <message>
        <source>Name: %1</source>
        <translation>Name: %1</translation>
    </message>
    <message>
        <source>Saved as %1</source>
        <translation>Gespeichert als %1</translation>
    </message>
    <message>
        <source>Deleted %1</source>
        <translation>Gelöscht: %1</translation>
    </message>
    <message>
        <source>Back: %1</source>
        <translation>Zurück: %1</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Built-in presets</source>
        <translation>Eingebaute Vorlagen</translation>
    </message>
    <message>
        <source>The built-in presets are back</source>
        <translation>Die eingebauten Vorlagen sind zurück</translation>
    </message>
    <message>
        <source>Cannot undo</source>
        <translation>Rückgängig nicht möglich</translation>
    </message>
    <message>
        <source>a bracket takes 3, 5, 7 or 9 shots</source>
        <translation>eine Reihe hat 3, 5, 7 oder 9 Aufnahmen</translation>
    </message>
    <message>
        <source>a bracket's step must be more than 0 and at most 3 stops</source>
        <translation>der Schritt einer Reihe muss größer als 0 und höchstens 3 Blenden sein</translation>
    </message>
    <message>
        <source>a preset's name cannot hold "=" or a line break: %1</source>
        <translation>der Name einer Vorlage darf kein „=“ und keinen Zeilenumbruch enthalten: %1</translation>
    </message>
    <message>
        <source>a start time is from 00:00 to 23:59</source>
        <translation>eine Startzeit geht von 00:00 bis 23:59</translation>
    </message>
    <message>
        <source>at most %1 shots</source>
        <translation>höchstens %1 Aufnahmen</translation>
    </message>
    <message>
        <source>ramps and brackets are for intervals</source>
        <translation>Rampen und Reihen gibt es nur bei Intervallen</translation>
    </message>
    <message>
        <source>the bulb time is at most %1</source>
        <translation>die Belichtungszeit ist höchstens %1</translation>
    </message>
    <message>
        <source>the delay is at most %1</source>
        <translation>die Verzögerung ist höchstens %1</translation>
    </message>
    <message>
        <source>the interval is at most %1</source>
        <translation>das Intervall ist höchstens %1</translation>
    </message>
    <message>
        <source>the preset %1 cannot be used: %2</source>
        <translation>die Vorlage %1 ist nicht nutzbar: %2</translation>
    </message>
    <message>
        <source>the ramp's last bulb is at most %1</source>
        <translation>die letzte Belichtung einer Rampe ist höchstens %1</translation>
    </message>
    <message>
        <source>the ramp's last bulb must be more than zero</source>
        <translation>die letzte Belichtung einer Rampe muss größer als null sein</translation>
    </message>
    <message>
        <source>a location is LAT LON in degrees with at most 6 decimals, such as 47.37 8.54: not %1</source>
        <translation>ein Ort ist LAT LON in Grad mit höchstens 6 Nachkommastellen, etwa 47.37 8.54: nicht %1</translation>
    </message>
    <message>
        <source>a latitude is from -90 to 90: not %1</source>
        <translation>eine Breite geht von -90 bis 90: nicht %1</translation>
    </message>
    <message>
        <source>a longitude is from -180 to 180: not %1</source>
        <translation>eine Länge geht von -180 bis 180: nicht %1</translation>
    </message>
    <message>
        <source>no %1 on %2 at %3: the sun stays above %4</source>
        <translation>kein %1 am %2 bei %3: die Sonne bleibt über %4</translation>
    </message>
    <message>
        <source>no %1 on %2 at %3: the sun stays below %4</source>
        <translation>kein %1 am %2 bei %3: die Sonne bleibt unter %4</translation>
    </message>
    <message>
        <source>an offset from a sun event is at most %1</source>
        <translation>der Abstand zu einem Sonnenereignis ist höchstens %1</translation>
    </message>
    <message>
        <source>a start at %1 needs a location, and the one kept cannot be used: %2</source>
        <translation>ein Start um %1 braucht einen Ort, und der gespeicherte ist nicht nutzbar: %2</translation>
    </message>
    <message>
        <source>a start at %1 needs a location: location LAT LON</source>
        <translation>ein Start um %1 braucht einen Ort: location LAT LON</translation>
    </message>
    <message>
        <source>a plan ends after a number of shots or at a time, not both</source>
        <translation>ein Plan endet nach einer Zahl von Aufnahmen oder zu einer Zeit, nicht beides</translation>
    </message>
    <message>
        <source>a plan runs on 1 to %1 nights</source>
        <translation>ein Plan läuft in 1 bis %1 Nächten</translation>
    </message>
    <message>
        <source>nights need a start (--at) and an end (--until)</source>
        <translation>Nächte brauchen einen Beginn (--at) und ein Ende (--until)</translation>
    </message>
    <message>
        <source>keyframes set the bulb: give --bulb, --ramp or --key</source>
        <translation>Schlüsselbilder setzen die Belichtung: --bulb, --ramp oder --key angeben</translation>
    </message>
    <message>
        <source>at most %1 keyframes</source>
        <translation>höchstens %1 Schlüsselbilder</translation>
    </message>
    <message>
        <source>keyframes need a number of shots or an end (--until)</source>
        <translation>Schlüsselbilder brauchen eine Zahl von Aufnahmen oder ein Ende (--until)</translation>
    </message>
    <message>
        <source>a keyframe's interval is more than zero and at most %1</source>
        <translation>das Intervall eines Schlüsselbilds ist mehr als null und höchstens %1</translation>
    </message>
    <message>
        <source>an end, nights and keyframes are for intervals</source>
        <translation>Ende, Nächte und Schlüsselbilder gibt es nur für Intervalle</translation>
    </message>
    <message>
        <source>the plan would take more than %1 shots</source>
        <translation>der Plan hätte mehr als %1 Aufnahmen</translation>
    </message>
    <message>
        <source>shot %1 (%2): the interval (%3) is shorter than a bracket of %4 shots and their release notices (%5)</source>
        <translation>Aufnahme %1 (%2): das Intervall (%3) ist kürzer als eine Reihe von %4 Aufnahmen und ihre Auslösehinweise (%5)</translation>
    </message>
    <message>
        <source>shot %1 (%2): the interval (%3) is shorter than its bulb (%4) and its release notice (%5)</source>
        <translation>Aufnahme %1 (%2): das Intervall (%3) ist kürzer als ihre Belichtung (%4) und ihr Auslösehinweis (%5)</translation>
    </message>
    <message>
        <source>Cover the lens: %1 dark frames</source>
        <translation>Objektiv abdecken: %1 Dunkelbilder</translation>
    </message>
    <message>
        <source>Take the dark frames</source>
        <translation>Dunkelbilder aufnehmen</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>Weiter</translation>
    </message>
    <message>
        <source>dark frames are 0 to %1</source>
        <translation>Dunkelbilder sind 0 bis %1</translation>
    </message>
    <message>
        <source>dark frames need an interval series that ends</source>
        <translation>Dunkelbilder brauchen eine Intervallreihe, die endet</translation>
    </message>
    <message>
        <source>%1 shots, %2 missed; log: %3</source>
        <translation>%1 Aufnahmen, %2 verpasst; Protokoll: %3</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>Night</source>
        <translation>Nacht</translation>
    </message>
    <message>
        <source>First shot %1, %2 shots, ends about %3</source>
        <translation>Erste Aufnahme %1, %2 Aufnahmen, Ende gegen %3</translation>
    </message>
    <message>
        <source>%1: new</source>
        <translation>%1: neu</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 von %2</translation>
    </message>
    <message>
        <source>the plan's</source>
        <translation>wie der Plan</translation>
    </message>
    <message>
        <source>the nights are 1 to %1: not %2</source>
        <translation>die Nächte sind 1 bis %1: nicht %2</translation>
    </message>
    <message>
        <source>the dark frames are 0 to %1: not %2</source>
        <translation>die Dunkelbilder sind 0 bis %1: nicht %2</translation>
    </message>
    <message>
        <source>the keyframes are 1 to %1: not %2</source>
        <translation>die Schlüsselbilder sind 1 bis %1: nicht %2</translation>
    </message>
    <message>
        <source>Until</source>
        <translation>Bis</translation>
    </message>
    <message>
        <source>Nights</source>
        <translation>Nächte</translation>
    </message>
    <message>
        <source>Dark frames</source>
        <translation>Dunkelbilder</translation>
    </message>
    <message>
        <source>Keyframe</source>
        <translation>Schlüsselbild</translation>
    </message>
    <message>
        <source>At</source>
        <translation>Um</translation>
    </message>
    <message>
        <source>Until: %1</source>
        <translation>Bis: %1</translation>
    </message>
    <message>
        <source>Nights: %1</source>
        <translation>Nächte: %1</translation>
    </message>
    <message>
        <source>Dark frames: %1</source>
        <translation>Dunkelbilder: %1</translation>
    </message>
    <message>
        <source>Keyframe: %1</source>
        <translation>Schlüsselbild: %1</translation>
    </message>
    <message>
        <source>Keyframe at: %1</source>
        <translation>Schlüsselbild um: %1</translation>
    </message>
    <message>
        <source>Keyframe bulb: %1</source>
        <translation>Schlüsselbild Langzeit: %1</translation>
    </message>
    <message>
        <source>Keyframe interval: %1</source>
        <translation>Schlüsselbild Intervall: %1</translation>
    </message>
    <message>
        <source>End or no end</source>
        <translation>Ende oder kein Ende</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>Ort</translation>
    </message>
    <message>
        <source>Location: %1</source>
        <translation>Ort: %1</translation>
    </message>
    <message>
        <source>Web</source>
        <translation>Web</translation>
    </message>
    <message>
        <source>Web remote</source>
        <translation>Web-Fernbedienung</translation>
    </message>
    <message>
        <source>Web remote: on</source>
        <translation>Web-Fernbedienung: an</translation>
    </message>
    <message>
        <source>Web remote: off</source>
        <translation>Web-Fernbedienung: aus</translation>
    </message>
    <message>
        <source>The web remote is not available in this run.</source>
        <translation>Die Web-Fernbedienung ist in diesem Lauf nicht verfügbar.</translation>
    </message>
    <message>
        <source>Serving on %1</source>
        <translation>Bereitgestellt unter %1</translation>
    </message>
    <message>
        <source>Not serving</source>
        <translation>Nicht bereitgestellt</translation>
    </message>
    <message>
        <source>Browsers connected: %1</source>
        <translation>Verbundene Browser: %1</translation>
    </message>
    <message>
        <source>Pairing code</source>
        <translation>Kopplungscode</translation>
    </message>
    <message>
        <source>Pairing address, shown as text</source>
        <translation>Kopplungsadresse, als Text angezeigt</translation>
    </message>
    <message>
        <source>Renew</source>
        <translation>Erneuern</translation>
    </message>
    <message>
        <source>Renew now</source>
        <translation>Jetzt erneuern</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Renew the pairing?</source>
        <translation>Kopplung erneuern?</translation>
    </message>
    <message>
        <source>Every paired browser is shut out until it scans the new code. Touch Renew now to renew, or Cancel to keep the pairing.</source>
        <translation>Jeder gekoppelte Browser wird ausgesperrt, bis er den neuen Code scannt. Tippen Sie auf „Jetzt erneuern“, um zu erneuern, oder auf „Abbrechen“, um die Kopplung zu behalten.</translation>
    </message>
</context>
</TS>
