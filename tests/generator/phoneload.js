// Loads a built album as a phone does: headless Chromium at 390 x 844 CSS
// pixels and a device scale factor of 3, from an HTTP server on 127.0.0.1
// that logs every file it sends. Prints one figure a line:
//   node phoneload.js ALBUM_FOLDER OVERVIEW DETAIL_PAGE [SCREENSHOT_PREFIX]
// OVERVIEW and DETAIL_PAGE are paths inside ALBUM_FOLDER; with a prefix, the
// overview and the detail page are saved as PREFIX-overview.png and
// PREFIX-detail.png.
const { spawn } = require("child_process");
const fs = require("fs");
const http = require("http");
const os = require("os");
const path = require("path");

const [albumFolder, overviewPage, detailPage, screenshots] = process.argv.slice(2);
const root = path.resolve(albumFolder);
const kWidth = 390, kHeight = 844, kScale = 3;
// After two frames the page has laid out and its lazy loader has asked for
// what is in reach; no request for this long after that: it has fetched
// what it will.
const kQuietMs = 400;

const sent = [];  // { path, bytes } in the order sent
let lastRequest = Date.now();

function contentType(file) {
  if (file.endsWith(".htm") || file.endsWith(".html")) return "text/html";
  if (file.endsWith(".jpg")) return "image/jpeg";
  return "application/octet-stream";
}

const server = http.createServer((request, response) => {
  lastRequest = Date.now();
  const urlPath = decodeURIComponent(new URL(request.url, "http://127.0.0.1").pathname);
  const file = path.join(root, path.normalize(urlPath));
  if (!file.startsWith(root) || !fs.existsSync(file) || !fs.statSync(file).isFile()) {
    response.writeHead(404);
    response.end();
    return;
  }
  const bytes = fs.readFileSync(file);
  sent.push({ path: urlPath, bytes: bytes.length });
  response.writeHead(200, { "Content-Type": contentType(file), "Content-Length": bytes.length });
  response.end(bytes);
});

// Width and height of a baseline or progressive JPEG, from its frame header.
function jpegSize(file) {
  const b = fs.readFileSync(file);
  for (let i = 2; i + 9 < b.length;) {
    if (b[i] !== 0xff) return null;
    const marker = b[i + 1], length = b.readUInt16BE(i + 2);
    if (marker >= 0xc0 && marker <= 0xc2) return { width: b.readUInt16BE(i + 7), height: b.readUInt16BE(i + 5) };
    i += 2 + length;
  }
  return null;
}

// The Chrome DevTools protocol over --remote-debugging-pipe: JSON messages
// ended by a NUL byte, on the browser's file descriptors 3 (in) and 4 (out).
class Browser {
  constructor() {
    this.profile = fs.mkdtempSync(path.join(os.tmpdir(), "phoneload-"));
    this.process = spawn("chromium", ["--headless=new", "--remote-debugging-pipe", "--no-sandbox", "--disable-gpu",
                                      "--no-first-run", "--disable-extensions", "--disable-background-networking",
                                      "--user-data-dir=" + this.profile, "about:blank"],
                         { stdio: ["ignore", "ignore", "ignore", "pipe", "pipe"] });
    this.nextId = 1;
    this.pending = new Map();
    this.listeners = [];
    let buffered = "";
    this.process.stdio[4].on("data", (chunk) => {
      buffered += chunk.toString();
      let end;
      while ((end = buffered.indexOf("\0")) >= 0) {
        const message = JSON.parse(buffered.slice(0, end));
        buffered = buffered.slice(end + 1);
        if (message.id && this.pending.has(message.id)) {
          const { resolve, reject } = this.pending.get(message.id);
          this.pending.delete(message.id);
          message.error ? reject(new Error(JSON.stringify(message.error))) : resolve(message.result);
        } else {
          this.listeners.forEach((listener) => listener(message));
        }
      }
    });
  }
  send(method, params = {}, sessionId = undefined) {
    const id = this.nextId++;
    this.process.stdio[3].write(JSON.stringify({ id, method, params, sessionId }) + "\0");
    return new Promise((resolve, reject) => this.pending.set(id, { resolve, reject }));
  }
  waitFor(method) {
    return new Promise((resolve) => {
      const listener = (message) => {
        if (message.method !== method) return;
        this.listeners = this.listeners.filter((l) => l !== listener);
        resolve(message.params);
      };
      this.listeners.push(listener);
    });
  }
  async close() {
    const exited = new Promise((resolve) => this.process.once("exit", resolve));
    this.process.kill();
    await exited;
    // The browser's helper processes may still write into the profile for a
    // moment after it exited; a profile left in the temporary folder is no
    // reason to fail a measurement that is complete.
    try {
      fs.rmSync(this.profile, { recursive: true, force: true, maxRetries: 30, retryDelay: 100 });
    } catch (error) {
      console.error(`phoneload: ${this.profile} left behind: ${error.code}`);
    }
  }
}

async function settled(browser, session) {
  await evaluate(browser, session,
                 `new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(() => setTimeout(r, 0))))`);
  while (Date.now() - lastRequest < kQuietMs) await new Promise((r) => setTimeout(r, 50));
}

async function evaluate(browser, session, expression) {
  const result = await browser.send("Runtime.evaluate", { expression, returnByValue: true, awaitPromise: true },
                                    session);
  return result.result.value;
}

async function load(browser, session, address, screenshot) {
  lastRequest = Date.now();
  const loaded = browser.waitFor("Page.loadEventFired");
  await browser.send("Page.navigate", { url: address }, session);
  await loaded;
  await settled(browser, session);
  if (screenshot) {
    const shot = await browser.send("Page.captureScreenshot", { format: "png" }, session);
    fs.writeFileSync(screenshot, Buffer.from(shot.data, "base64"));
  }
}

// Every picture of the page: where it is (page coordinates, CSS pixels), the
// width of its content box, the file it shows and whether it is a thumbnail
// (the design's own pictures, such as a logo, are not).
const kPictures = `Array.from(document.images).map((img) => {
  const r = img.getBoundingClientRect(), s = getComputedStyle(img);
  const edges = ["border-left-width", "border-right-width", "padding-left", "padding-right"]
    .reduce((sum, p) => sum + parseFloat(s.getPropertyValue(p)), 0);
  return { top: r.top + scrollY, bottom: r.bottom + scrollY, width: r.width - edges,
           src: img.currentSrc ? new URL(img.currentSrc).pathname : "",
           thumbnail: img.closest('a[href^="./html/"]') !== null };
})`;

function figure(name, value) { console.log(name + " " + value); }

async function main() {
  await new Promise((resolve) => server.listen(0, "127.0.0.1", resolve));
  const base = "http://127.0.0.1:" + server.address().port + "/";
  const browser = new Browser();
  const timeout = setTimeout(() => { console.error("phoneload: no result within 120 s"); process.exit(2); }, 120000);
  try {
    const { targetId } = await browser.send("Target.createTarget", { url: "about:blank" });
    const { sessionId } = await browser.send("Target.attachToTarget", { targetId, flatten: true });
    await browser.send("Emulation.setDeviceMetricsOverride",
                       { width: kWidth, height: kHeight, deviceScaleFactor: kScale, mobile: true }, sessionId);
    await browser.send("Page.enable", {}, sessionId);

    await load(browser, sessionId, base + overviewPage, screenshots && screenshots + "-overview.png");
    const pictures = (await evaluate(browser, sessionId, kPictures)).filter((p) => p.thumbnail);
    const thumbnails = sent.filter((s) => /^\/mini(2x)?\//.test(s.path));
    const inView = pictures.filter((p) => p.top < kHeight);
    const densities = inView.map((p) => jpegSize(path.join(root, p.src)).width / p.width);
    figure("overview-pictures", pictures.length);
    figure("overview-in-view", inView.length);
    figure("overview-within-two-screens", pictures.filter((p) => p.top < 2 * kHeight).length);
    figure("overview-thumbnails-fetched", thumbnails.length);
    figure("overview-lowest-fetched-top",
           Math.max(...pictures.filter((p) => thumbnails.some((t) => t.path === p.src)).map((p) => p.top)));
    figure("overview-thumbnail-bytes", thumbnails.reduce((sum, s) => sum + s.bytes, 0));
    figure("overview-other-pictures-fetched", sent.filter((s) => s.path.endsWith(".jpg")).length - thumbnails.length);
    figure("overview-min-density", densities.length ? Math.min(...densities).toFixed(2) : 0);
    // Down to the end half a screen at a time: every thumbnail arrives.
    await evaluate(browser, sessionId, `(async () => {
      for (let y = 0; y <= document.documentElement.scrollHeight; y += innerHeight / 2) {
        scrollTo(0, y);
        await new Promise((r) => setTimeout(r, 100));
      }
    })()`);
    await settled(browser, sessionId);
    const scrolled = (await evaluate(browser, sessionId, kPictures)).filter((p) => p.thumbnail);
    figure("overview-thumbnails-after-scrolling", scrolled.filter((p) => /^\/mini(2x)?\//.test(p.src)).length);

    sent.length = 0;
    await load(browser, sessionId, base + detailPage, screenshots && screenshots + "-detail.png");
    const original = await evaluate(browser, sessionId, `new URL(document.querySelector("a.original").href).pathname`);
    const shown = await evaluate(browser, sessionId, kPictures);
    figure("detail-bytes", sent.reduce((sum, s) => sum + s.bytes, 0));
    figure("detail-full-copy-bytes", fs.statSync(path.join(root, decodeURIComponent(original))).size);
    figure("detail-full-copy-fetched", sent.some((s) => s.path === decodeURIComponent(original)) ? 1 : 0);
    figure("detail-shown-density", (jpegSize(path.join(root, shown[0].src)).width / shown[0].width).toFixed(2));
  } finally {
    clearTimeout(timeout);
    await browser.close();
    server.close();
  }
}

main().catch((error) => {
  console.error("phoneload: " + error.message);
  process.exit(2);
});
