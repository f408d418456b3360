"use strict";

// The page holds the shutter only while a finger is down: it says so every HEARTBEAT_MS,
// and the app lets go when no word came for 500 ms, so a locked phone or lost Wi-Fi
// cannot leave the camera open.
const HEARTBEAT_MS = 100;
const RECONNECT_MS = 1000;

const $ = (id) => document.getElementById(id);
let socket = null;
let state = null;
let holding = false;
let heartbeat = 0;

function send(message) {
  if (socket && socket.readyState === WebSocket.OPEN) socket.send(JSON.stringify(message));
}

function connect() {
  socket = new WebSocket((location.protocol === "https:" ? "wss://" : "ws://") + location.host + "/socket");
  socket.onmessage = (event) => {
    const message = JSON.parse(event.data);
    if (message.type === "state") show(message);
    else if (message.type === "refused") say(message.kind + ": " + message.message);
  };
  socket.onclose = () => {
    letGo();
    state = null;
    $("status").textContent = "Offline";
    $("status").className = "";
    setTimeout(connect, RECONNECT_MS);
  };
}

function say(text) {
  $("message").textContent = text;
}

const CONNECTION = ["Disconnected", "Connecting", "Connected"];

function show(next) {
  state = next;
  const status = $("status");
  status.textContent = CONNECTION[next.connection] + (next.receiver ? ": " + next.receiver : "");
  status.className = next.connection === 2 ? "connected" : "";
  for (const name of ["green", "red", "blue"]) $("lamp-" + name).classList.toggle("lit", !!next.lamps[name]);
  $("focus").setAttribute("aria-pressed", String(next.focus));
  if (!holding) $("shutter").setAttribute("aria-pressed", String(next.shutter));
  showPresets(next.presets);
  showProgress();
}

function showPresets(names) {
  const select = $("preset");
  const shown = Array.from(select.options, (o) => o.value);
  if (shown.join("\n") === names.join("\n")) return;
  const chosen = select.value;
  select.replaceChildren(...names.map((name) => new Option(name, name, false, name === chosen)));
}

function showProgress() {
  const timer = state && state.timer;
  const running = timer && ["planned", "running", "waiting"].includes(timer.state);
  $("timer").disabled = !!running;
  $("timer-stop").disabled = !running;
  if (!timer || timer.state === "idle") {
    $("progress").textContent = "No series";
    return;
  }
  let text = timer.mode + " " + timer.state + ", shot " + timer.shot + (timer.of !== undefined ? " of " + timer.of : "");
  if (timer.missed) text += ", " + timer.missed + " missed";
  if (running && timer.next !== undefined) {
    const seconds = Math.ceil(timer.next / 1000);
    text += ", next in " + seconds + " s";
  }
  $("progress").textContent = text;
}

function press(event) {
  event.preventDefault();
  if (holding) return;
  holding = true;
  $("shutter").setPointerCapture?.(event.pointerId);
  $("shutter").setAttribute("aria-pressed", "true");
  say("");
  send({ do: "press" });
  heartbeat = setInterval(() => send({ do: "hold" }), HEARTBEAT_MS);
}

function letGo() {
  if (!holding) return;
  holding = false;
  clearInterval(heartbeat);
  $("shutter").setAttribute("aria-pressed", "false");
  send({ do: "release" });
}

function wire() {
  const shutter = $("shutter");
  shutter.addEventListener("pointerdown", press);
  for (const end of ["pointerup", "pointercancel", "lostpointercapture"]) shutter.addEventListener(end, letGo);
  shutter.addEventListener("contextmenu", (event) => event.preventDefault());
  // A page that goes to the background or loses focus lets go at once.
  document.addEventListener("visibilitychange", () => { if (document.hidden) letGo(); });
  window.addEventListener("blur", letGo);
  window.addEventListener("pagehide", letGo);
  $("focus").addEventListener("click", () => send({ do: "focus", on: !(state && state.focus) }));
  $("timer").addEventListener("click", () => send({ do: "timer", preset: $("preset").value }));
  $("timer-stop").addEventListener("click", () => send({ do: "timer-stop" }));
  connect();
}

wire();
