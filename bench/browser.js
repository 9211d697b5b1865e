// Run through tests/browser/with-puppeteer, which installs puppeteer-core (bench/browser does).
// Opens a page in headless Chromium or Firefox and measures it as a person would meet it: how
// soon the first rows show, when all the data is there, the memory of the page's process and,
// for the library page, how long a keystroke in the search box and the first sort of a text
// column take, each until the next frame is drawn. Prints one line of JSON.
//
//   node bench/browser.js --page FILE [--browser chromium|firefox] [--kind plain|library]
"use strict";
const fs = require("fs");
const os = require("os");
const path = require("path");
const puppeteer = require("puppeteer-core");
const { onPath, ChromiumArgs } = require("../tests/browser/browsers.js");

function options() {
  const o = { browser: "chromium", kind: "library" };
  for (let i = 2; i < process.argv.length; i += 2)
    o[process.argv[i].replace(/^--/, "")] = process.argv[i + 1];
  return o;
}

// The resident memory of a process and its children, now and at its peak, in MB.
function memoryOf(pid) {
  let now = 0, peak = 0;
  const status = (p) => fs.readFileSync(`/proc/${p}/status`, "utf8");
  const field = (text, name) => +(new RegExp(name + ":\\s+(\\d+)").exec(text) || [0, 0])[1] / 1024;
  try {
    const text = status(pid);
    now = field(text, "VmRSS");
    peak = field(text, "VmHWM");
  } catch (e) {
    return { now: 0, peak: 0 };
  }
  return { now, peak };
}

// The processor time a process has used, in seconds.
function cpuOf(pid) {
  try {
    const stat = fs.readFileSync(`/proc/${pid}/stat`, "utf8");
    const f = stat.slice(stat.lastIndexOf(")") + 2).split(" ");
    return (+f[11] + +f[12]) / 100;
  } catch (e) {
    return 0;
  }
}

// The browser's processes that hold pages: Chromium's renderers, Firefox's content processes.
function pageProcesses(browserPid) {
  const out = [];
  // Children are listed per thread that started them: look at every process's parent.
  const parents = new Map();
  for (const entry of fs.readdirSync("/proc")) {
    if (!/^\d+$/.test(entry))
      continue;
    try {
      const stat = fs.readFileSync(`/proc/${entry}/stat`, "utf8");
      parents.set(+entry, +stat.slice(stat.lastIndexOf(")") + 2).split(" ")[1]);
    } catch (e) {
      // gone meanwhile
    }
  }
  const walk = (pid) => {
    for (const [c, parent] of parents) {
      if (parent !== pid)
        continue;
      let cmd = "";
      try {
        cmd = fs.readFileSync(`/proc/${c}/cmdline`, "utf8");
      } catch (e) {
        continue;
      }
      if (/--type=renderer/.test(cmd) && !/--extension-process|--top-chrome-webui/.test(cmd) || /-contentproc/.test(cmd))
        out.push(c);
      walk(c);
    }
  };
  walk(browserPid);
  return out;
}

async function main() {
  const o = options();
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), "tunesheet-bench-profile-"));
  const launch = o.browser === "firefox"
    ? { browser: "firefox", executablePath: o.executable || onPath("firefox-esr"), headless: true, userDataDir: profile }
    : {
      executablePath: o.executable || onPath("chromium"), headless: true, userDataDir: profile,
      args: ChromiumArgs,
    };
  const browser = await puppeteer.launch(launch);
  const result = { browser: o.browser, kind: o.kind, page: path.basename(o.page) };
  try {
    // One tab, so that its process is the one measured.
    const page = (await browser.pages())[0] || await browser.newPage();
    await page.setViewport({ width: 1024, height: 768 });
    const pid = browser.process().pid;
    let peak = 0;
    const sample = () => {
      for (const p of pageProcesses(pid))
        peak = Math.max(peak, memoryOf(p).peak);
    };
    const sampler = setInterval(sample, 50);
    const cpuBefore = new Map(pageProcesses(pid).map((p) => [p, cpuOf(p)]));
    const started = Date.now();
    await page.goto("file://" + path.resolve(o.page), { waitUntil: "load", timeout: 600000 });
    result.loadS = (Date.now() - started) / 1000;
    if (o.kind === "library")
      await page.waitForFunction(() => document.documentElement.dataset.tsReady === "1", { timeout: 600000, polling: 50 });
    const times = await page.evaluate(() => {
      const mark = (name) => {
        const e = performance.getEntriesByName(name)[0];
        return e ? e.startTime / 1000 : null;
      };
      const paint = performance.getEntriesByName("first-contentful-paint")[0];
      return { firstRowsS: mark("ts-first-rows"), readyS: mark("ts-ready"), firstPaintS: paint ? paint.startTime / 1000 : null };
    });
    Object.assign(result, times);
    // Processor time of the page's process until then: less at the mercy of a busy machine.
    result.cpuS = Math.max(...pageProcesses(pid).map((p) => cpuOf(p) - (cpuBefore.get(p) || 0)));
    if (o.kind === "plain")
      result.readyS = result.loadS;
    sample();
    // The page's own process is the largest of them.
    const now = pageProcesses(pid).reduce((most, p) => Math.max(most, memoryOf(p).now), 0);
    result.memoryMB = Math.round(now);
    if (o.debug)
      result.processes = pageProcesses(pid).map((p) => [p, memoryOf(p), fs.readFileSync(`/proc/${p}/cmdline`, "utf8").slice(0, 200)]);

    if (o.kind === "library" && o.interact !== "no") {
      await page.evaluate(() => {
        window.latencies = [];
        let pressed = 0;
        const settle = (t0) => requestAnimationFrame(() => setTimeout(() => window.latencies.push(performance.now() - t0), 0));
        document.addEventListener("keydown", (e) => { pressed = e.timeStamp; }, true);
        document.addEventListener("input", () => settle(pressed));
        document.addEventListener("click", (e) => settle(e.timeStamp));
      });
      const settled = async (count) => page.waitForFunction((n) => window.latencies.length >= n, { polling: 20, timeout: 600000 }, count);
      // The first sort of a text column: the Title.
      const buttons = await page.$$("#ts th button");
      const renderer = () => pageProcesses(pid).reduce((most, p) => memoryOf(p).now > memoryOf(most).now ? p : most);
      const sortCpuBefore = cpuOf(renderer());
      await buttons[1].click();
      await settled(1);
      result.firstTextSortS = (await page.evaluate(() => window.latencies[0])) / 1000;
      result.firstTextSortCpuS = Math.round((cpuOf(renderer()) - sortCpuBefore) * 100) / 100;
      await buttons[1].click();
      await settled(2);
      result.secondTextSortS = (await page.evaluate(() => window.latencies[1])) / 1000;
      await buttons[1].click(); // page order again
      await settled(3);
      let typed = 3;
      for (const query of ["summer love", "dvorak", "strasse"]) {
        await page.click("#q", { clickCount: 3 });
        typed = (await page.evaluate(() => window.latencies.length));
        await page.evaluate(() => window.latencies.splice(0));
        typed = 0;
        for (const ch of query) {
          await page.keyboard.type(ch);
          await settled(++typed);
        }
        result.keystrokesMs = (result.keystrokesMs || []).concat(await page.evaluate(() => window.latencies.slice()));
        await page.evaluate(() => { const q = document.getElementById("q"); q.value = ""; q.dispatchEvent(new Event("input")); });
      }
      const sorted = result.keystrokesMs.slice().sort((a, b) => a - b);
      result.medianKeystrokeMs = Math.round(sorted[Math.floor(sorted.length / 2)]);
      result.slowestKeystrokeMs = Math.round(sorted[sorted.length - 1]);
      delete result.keystrokesMs;
      result.count = await page.evaluate(() => document.getElementById("ts-count").value);
    }
    clearInterval(sampler);
    sample();
    result.peakMemoryMB = Math.round(peak);
  } finally {
    await browser.close();
    fs.rmSync(profile, { recursive: true, force: true });
  }
  console.log(JSON.stringify(result));
}

main().catch((e) => {
  console.error(e);
  process.exit(1);
});
