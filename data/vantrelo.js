// window.vantrelo: the page side of the launcher's browser bridge, for pages opened with $BCONNECT$.
// The launcher runs this in a connected page once it has loaded, then calls ready(). A page may
// include it itself to have the object from the start (it runs once only), or set its handlers
// early on an object of its own, which this one takes over:
//
//   window.vantrelo = window.vantrelo || {};
//   vantrelo.onready = function (data) { ... }   data.input, data.command, data.parameter, data.color...
//   vantrelo.oninput = function (input, command, parameter) { ... }   as the user types
//   vantrelo.send("input_set", {text: "hello", focus: true}).then(reply => ..., error => ...)
(function () {
  "use strict";
  var own = window.vantrelo;
  if (own && typeof own.send === "function") return;
  var pending = {};
  var nextId = 1;
  var bridge = false; // the relay is ready
  var queue = [];

  // The launcher's relay lives in a script world of its own, out of reach of this page's scripts and
  // of any frame from elsewhere; it hears requests as events on this document and says when it is ready.
  function post(text) {
    if (bridge) document.dispatchEvent(new CustomEvent("vantrelo-post", { detail: text }));
    else queue.push(text);
  }

  function fire(name, detail) {
    try { window.dispatchEvent(new CustomEvent(name, { detail: detail })); } catch (e) { /* old engines */ }
  }

  var v = {
    _data: {},
    onready: null,
    oninput: null,
    ready: function () {
      if (typeof v.onready === "function") v.onready(v._data);
      fire("vantrelo-ready", v._data);
    },
    input: function (input, command, parameter) {
      v._data.input = input;
      v._data.command = command;
      v._data.parameter = parameter;
      v._data.query = parameter;
      if (typeof v.oninput === "function") v.oninput(input, command, parameter);
      fire("vantrelo-input", { input: input, command: command, parameter: parameter });
    },
    response: function (reply) {
      if (typeof reply === "string") {
        try { reply = JSON.parse(reply); } catch (e) { return; }
      }
      if (!reply || typeof reply !== "object") return;
      var waiting = pending[reply.id];
      if (!waiting) return;
      delete pending[reply.id];
      if (reply.error) waiting.reject(reply.error);
      else waiting.resolve(reply);
    },
    // Sends a request; the promise settles with the launcher's reply.
    send: function (method, params) {
      var id = String(nextId++);
      return new Promise(function (resolve, reject) {
        pending[id] = { resolve: resolve, reject: reject };
        post(JSON.stringify({ method: method, id: id, params: params || {} }));
      });
    },
    setInput: function (text, options) {
      var p = Object.assign({ text: text }, options || {});
      return v.send("input_set", p);
    },
    focusInput: function (options) { return v.send("input_focus", options || {}); },
    focusBrowser: function () { return v.send("browser_focus"); },
    dismissBrowser: function () { return v.send("browser_dismiss"); },
    dismiss: function () { return v.send("dismiss"); },
    openUrl: function (url, options) { return v.send("open_url", Object.assign({ url: url }, options || {})); },
    runInput: function (text, options) { return v.send("input_run", Object.assign({ text: text }, options || {})); }
  };
  if (own && typeof own === "object") {
    if (typeof own.onready === "function") v.onready = own.onready;
    if (typeof own.oninput === "function") v.oninput = own.oninput;
    v = Object.assign(own, v);
  }
  window.vantrelo = v;

  function relayReady() {
    if (bridge) return;
    bridge = true;
    queue.splice(0).forEach(post);
  }
  document.addEventListener("vantrelo-relay", relayReady);
  if (document.documentElement && document.documentElement.hasAttribute("data-vantrelo-relay")) relayReady();
})();
