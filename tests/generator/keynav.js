// Runs the keyboard script of a generated detail page against a minimal
// document and prints where each key given on the command line leads:
//   node keynav.js PAGE KEY...   ->   "KEY=href KEY=href ..."
// A key that follows no link leaves the address at "stay".
const fs = require("fs");
const html = fs.readFileSync(process.argv[2], "latin1");
const script = html.match(/<script>([\s\S]*?)<\/script>/)[1];
const links = [...html.matchAll(/<a href="([^"]*)"[^>]*data-taste="([^"]*)"/g)].map((m) => ({ href: m[1], key: m[2] }));
let onKey = null;
const document = {
  addEventListener: (type, handler) => { if (type === "keydown") onKey = handler; },
  querySelector: (selector) => {
    const wanted = selector.match(/data-taste="([^"]*)"/);
    return (wanted && links.find((l) => l.key === wanted[1])) || null;
  },
};
const window = { location: { href: "stay" } };
new Function("document", "window", script)(document, window);
const results = process.argv.slice(3).map((key) => {
  window.location.href = "stay";
  onKey({ key, altKey: false, ctrlKey: false, metaKey: false, shiftKey: false, preventDefault() {} });
  return key + "=" + window.location.href;
});
console.log(results.join(" "));
