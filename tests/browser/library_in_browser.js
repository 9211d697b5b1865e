// Writes the library page (and the plain page) of a library of awkward names and tags and checks
// in headless Chromium what a person would meet: the search folding, the sort orders, the totals,
// links that lead to their files, hostile texts shown as text, the plain rows without scripts,
// printing, and drawn cells that equal the plain page's cells.
//
//   node library_in_browser.js --cli tunesheet-cli --samples samples-folder
"use strict";
const fs = require("fs");
const os = require("os");
const path = require("path");
const { execFileSync } = require("child_process");
const puppeteer = require("puppeteer-core");
const { onPath, ChromiumArgs } = require("./browsers.js");

const args = {};
for (let i = 2; i < process.argv.length; i += 2)
  args[process.argv[i].replace(/^--/, "")] = process.argv[i + 1];

let passed = 0, failed = 0;
function check(name, ok, detail) {
  if (ok) {
    passed++;
  } else {
    failed++;
    console.log("FAIL: " + name + (detail === undefined ? "" : ": " + JSON.stringify(detail)));
  }
}
function same(name, actual, expected) {
  check(name, JSON.stringify(actual) === JSON.stringify(expected), { actual, expected });
}

// ---- The library ----------------------------------------------------------------------------

function textFrame(id, text) {
  const body = Buffer.concat([Buffer.from([1, 0xff, 0xfe]), Buffer.from(text, "utf16le"), Buffer.from([0, 0])]);
  const header = Buffer.alloc(10);
  header.write(id, 0, "latin1");
  header.writeUInt32BE(body.length, 4);
  return Buffer.concat([header, body]);
}

function id3v2(tags) {
  const ids = { title: "TIT2", artist: "TPE1", album: "TALB", year: "TYER" };
  const frames = Buffer.concat(Object.keys(tags).map((k) => textFrame(ids[k], tags[k])).concat([Buffer.alloc(32)]));
  const n = frames.length;
  const head = Buffer.from([0x49, 0x44, 0x33, 3, 0, 0, (n >> 21) & 0x7f, (n >> 14) & 0x7f, (n >> 7) & 0x7f, n & 0x7f]);
  return Buffer.concat([head, frames]);
}

const Hostile = "</script><img src=x onerror=alert(1)>";
const Files = {
  "A folder": [
    ["Track #1 100% & more?.mp3", { title: "Track #1", artist: "O\u2019Brien", album: "100% Pure", year: "1999" }],
    ["caf\u00e9.mp3", { title: "Caf\u00e9 cr\u00e8me", artist: "Zo\u00eb", year: "2001" }],
    ["tab\tname.mp3", { title: "Stra\u00dfe" }],
    [Buffer.from("caf\xe9 latin1.mp3", "latin1"), { title: "\ufb01nale", year: "1987" }],
    ["hostile.mp3", { title: Hostile, artist: "<!-- \"quoted\" \u2028 line", album: "\u00c6r\u00f8 \u0152uvre" }],
  ],
  "Greek & Cyrillic": [
    ["s1.mp3", { title: "\u03a3\u03bf\u03c6\u03af\u03b1", artist: "\u039b\u03cc\u03b3\u03bf\u03c2" }],
    ["s2.mp3", { title: "\u041c\u043e\u0441\u043a\u0432\u0430", artist: "\u043d\u043e\u0447\u044c" }],
    ["track 2.mp3", { title: "Track 2", artist: "Dvo\u0159\u00e1k", album: "\u0301" }],
    ["track 10.mp3", { title: "Track 10", artist: "Dvo\u0159\u00e1k", album: "Bolero" }],
  ],
};
const ManyFiles = 1100;

function makeLibrary(root, audio) {
  for (const [folder, files] of Object.entries(Files)) {
    fs.mkdirSync(path.join(root, folder), { recursive: true });
    for (const [name, tags] of files) {
      const file = Buffer.concat([Buffer.from(path.join(root, folder) + "/"), Buffer.from(name)]);
      fs.writeFileSync(file, Buffer.concat([id3v2(tags), audio]));
    }
  }
  fs.mkdirSync(path.join(root, "No music"));
  fs.writeFileSync(path.join(root, "No music", "cover.jpg"), "not a picture");
  const many = path.join(root, "Zz many");
  fs.mkdirSync(many);
  fs.writeFileSync(path.join(many, "many 0000.mp3"), Buffer.concat([id3v2({ title: "Many", year: "2020" }), audio]));
  for (let i = 1; i < ManyFiles; i++)
    fs.linkSync(path.join(many, "many 0000.mp3"), path.join(many, "many " + String(i).padStart(4, "0") + ".mp3"));
}

// ---- The browser ----------------------------------------------------------------------------

async function open(browser, page, file, options = {}) {
  const tab = await browser.newPage();
  tab.dialogs = 0;
  tab.on("dialog", async (d) => {
    tab.dialogs++;
    await d.dismiss();
  });
  tab.errors = [];
  tab.on("pageerror", (e) => tab.errors.push(e.message));
  await tab.setJavaScriptEnabled(options.script !== false);
  await tab.setViewport({ width: 1024, height: options.height || 768 });
  await tab.goto("file://" + file, { waitUntil: "load" });
  if (options.script !== false)
    await tab.waitForFunction(() => document.documentElement.dataset.tsReady === "1", { timeout: 60000 });
  return tab;
}

// The drawn rows: folder rows as ["dir", text], data rows as their cells' texts (and links).
function rowsOf(tab) {
  return tab.evaluate(() => [...document.querySelectorAll("#ts tbody tr")].filter((tr) => tr.className !== "ts-space")
    .map((tr) => tr.className === "ts-dir" ? ["dir", tr.textContent]
      : [...tr.cells].map((td) => td.textContent)));
}

async function search(tab, query) {
  await tab.evaluate((q) => {
    const box = document.getElementById("q");
    box.value = q;
    box.dispatchEvent(new Event("input"));
  }, query);
  return tab.evaluate(() => document.getElementById("ts-count").value);
}

async function titlesFor(tab, query) {
  const count = await search(tab, query);
  const rows = (await rowsOf(tab)).filter((r) => r[0] !== "dir");
  return { count: parseInt(count.replace(/[^0-9].*$/, ""), 10), titles: rows.map((r) => r[1]).filter((t) => t !== "Many").sort() };
}

const FoldingTable = [
  ["cafe creme", ["Caf\u00e9 cr\u00e8me"]],
  ["CAF\u00c9", ["Caf\u00e9 cr\u00e8me", "\ufb01nale"]], // the second in its file's name
  ["creme   cafe", ["Caf\u00e9 cr\u00e8me"]],
  ["strasse", ["Stra\u00dfe"]],
  ["STRA\u00dfE", ["Stra\u00dfe"]],
  ["finale", ["\ufb01nale"]],
  ["oeuvre aero", [Hostile]],
  ["\u03c3\u03bf\u03c6\u03b9\u03b1", ["\u03a3\u03bf\u03c6\u03af\u03b1"]],
  ["\u039b\u038c\u0393\u039f\u03a3", ["\u03a3\u03bf\u03c6\u03af\u03b1"]], // final sigma
  ["\u043c\u043e\u0441\u043a\u0432\u0430", ["\u041c\u043e\u0441\u043a\u0432\u0430"]],
  ["\u041d\u041e\u0427\u042c", ["\u041c\u043e\u0441\u043a\u0432\u0430"]],
  ["#1", ["Track #1"]],
  ["100%", ["Track #1"]],
  ["o'brien", ["Track #1"]],
  ["</script>", [Hostile]],
  ["cyrillic track", ["Track 10", "Track 2"]], // a word in the folder, a word in a cell
  ["dvorak", ["Track 10", "Track 2"]], // the second cell repeats the one above it
  ["bolero", ["Track 10"]], // not the cell below it, a mark alone
  ["trackcyrillic", []],
  ["zo\u00eb tab", []], // two words in two rows
];

async function checkSearch(tab) {
  for (const [query, titles] of FoldingTable) {
    const got = await titlesFor(tab, query);
    same("search " + JSON.stringify(query), got.titles, titles.slice().sort());
    check("count of " + JSON.stringify(query), got.count === titles.length, got.count);
  }
  // A query that grows searches the rows it found; one that shrinks finds them all again.
  same("query", (await titlesFor(tab, "track")).titles, ["Track #1", "Track 10", "Track 2"]);
  same("grown query", (await titlesFor(tab, "track #")).titles, ["Track #1"]);
  same("shrunk query", (await titlesFor(tab, "track")).titles, ["Track #1", "Track 10", "Track 2"]);
  const all = await search(tab, "");
  check("totals of the whole list", new RegExp("^1,109 files \u00b7 0:\\d\\d:\\d\\d \u00b7 [\\d.]+ MB$").test(all), all);
  const some = await search(tab, "greek");
  check("totals of the matches", /^4 of 1,109 files \u00b7 0:00:0\d \u00b7 [\d.]+ kB$/.test(some), some);
  await search(tab, "");
}

async function clickHeader(tab, column) {
  await tab.evaluate((c) => document.querySelectorAll("#ts th button")[c].click(), column);
  return tab.evaluate(() => [...document.querySelectorAll("#ts th")].map((th) => th.getAttribute("aria-sort")));
}

async function checkSort(tab, oneTable) {
  await search(tab, "track");
  const orders = [];
  for (let click = 0; click < 3; click++) {
    const sorts = await clickHeader(tab, 1);
    orders.push((await rowsOf(tab)).filter((r) => r[0] !== "dir").map((r) => r[1]));
    same("aria-sort after click " + click, sorts[1], ["ascending", "descending", "none"][click]);
    same("other columns unsorted", sorts.filter((s) => s !== "none").length, click < 2 ? 1 : 0);
  }
  // Numbers in texts by value; per folder, the rows stay with their folders. Folders list their
  // files by name: "track 10.mp3" before "track 2.mp3".
  same("title ascending", orders[0], ["Track #1", "Track 2", "Track 10"]);
  same("title descending", orders[1], oneTable ? ["Track 10", "Track 2", "Track #1"] : ["Track #1", "Track 10", "Track 2"]);
  same("page order again", orders[2], ["Track #1", "Track 10", "Track 2"]);

  // Years as numbers, empty cells last either way, ties in page order.
  await search(tab, "a folder");
  await clickHeader(tab, 3);
  const up = (await rowsOf(tab)).filter((r) => r[0] !== "dir").map((r) => r[3] + " " + r[1]);
  same("year ascending", up, ["1987 \ufb01nale", "1999 Track #1", "2001 Caf\u00e9 cr\u00e8me", " " + Hostile, " Stra\u00dfe"]);
  await clickHeader(tab, 3);
  const down = (await rowsOf(tab)).filter((r) => r[0] !== "dir").map((r) => r[3] + " " + r[1]);
  same("year descending", down, ["2001 Caf\u00e9 cr\u00e8me", "1999 Track #1", "1987 \ufb01nale", " " + Hostile, " Stra\u00dfe"]);
  await clickHeader(tab, 3);
  await search(tab, "");
}

// The collation of many texts (the page's fast path) against the collator's own sort.
async function checkCollation(tab) {
  const wrong = await tab.evaluate(() => {
    const words = ["love", "Stra\u00dfe", "strasse", "\u00c6ble", "aa", "ab", "chata", "hrad", "cesta", "\u0152uvre", "\ufb01nale",
      "\u010cierna", "cierna", "\u017eena", "Zoe", "Track 2", "Track 10", "007", "7", "O'Brien", "#1", "\u03a3\u03bf\u03c6\u03af\u03b1",
      "\u041c\u043e\u0441\u043a\u0432\u0430", "\u00c5ngstr\u00f6m", "Ol\u00e1", "\u00d8resund", "THE", "the", "\u0130stanbul", "x\u0301"];
    let seed = 7;
    const next = () => (seed = (seed * 48271) % 2147483647);
    const texts = [];
    for (let i = 0; i < 6000; i++) {
      const n = 1 + next() % 5, t = [];
      for (let k = 0; k < n; k++)
        t.push(words[next() % words.length]);
      texts.push(t.join(next() % 3 ? " " : ""));
    }
    const problems = [];
    for (const lang of ["en", "sk", "da", "de", "sv", "cs"]) {
      const collator = new Intl.Collator(lang, { numeric: true });
      const r = tsCollate(texts, collator);
      const order = texts.map((_, i) => i).sort((a, b) => r.rank[a] - r.rank[b]);
      for (let i = 1; i < order.length; i++) {
        const c = collator.compare(texts[order[i - 1]], texts[order[i]]);
        if (c > 0 || (c === 0) !== (r.rank[order[i - 1]] === r.rank[order[i]])) {
          problems.push([lang, texts[order[i - 1]], texts[order[i]]]);
          break;
        }
      }
    }
    // Ordered in groups (a sort inside each folder): each group in order, whatever the others.
    const collator = new Intl.Collator("en", { numeric: true }), starts = [0];
    while (starts[starts.length - 1] < texts.length)
      starts.push(Math.min(texts.length, starts[starts.length - 1] + 1 + next() % 40));
    const r = tsCollate(texts, collator, starts);
    for (let g = 0; g + 1 < starts.length; g++) {
      const order = texts.map((_, i) => i).slice(starts[g], starts[g + 1]).sort((a, b) => r.rank[a] - r.rank[b]);
      for (let i = 1; i < order.length; i++) {
        const c = collator.compare(texts[order[i - 1]], texts[order[i]]);
        if (c > 0 || (c === 0) !== (r.rank[order[i - 1]] === r.rank[order[i]])) {
          problems.push(["group " + g, texts[order[i - 1]], texts[order[i]]]);
          break;
        }
      }
    }
    return problems;
  });
  same("collation of 6000 texts in six languages, and in groups", wrong, []);
}

// Every link leads to its file, whatever its name holds.
async function checkLinks(tab, root) {
  const links = await tab.evaluate(() => [...document.querySelectorAll("#ts tbody a")].map((a) => a.href));
  check("links drawn", links.length > 0);
  // A link's path holds the file's bytes, percent-encoded where needed.
  for (const href of links)
    check("link " + href + " leads to a file", fs.existsSync(Buffer.from(unescape(new URL(href).pathname), "latin1")), href);
  check("the non-UTF-8 name's link", links.some((h) => h.endsWith("/caf%E9%20latin1.mp3")), links);
}

async function main() {
  const work = fs.mkdtempSync(path.join(os.tmpdir(), "tunesheet-library-"));
  const browser = await puppeteer.launch({
    executablePath: args.chromium || onPath("chromium"), headless: true, userDataDir: path.join(work, "profile"),
    args: ChromiumArgs,
  });
  try {
    const sample = fs.readFileSync(path.join(args.samples, "Rock", "01 First Light.mp3"));
    const audio = sample.subarray(sample.indexOf(Buffer.from([0xff, 0xfb])), sample.length - 128);
    const root = path.join(work, "library");
    makeLibrary(root, audio);
    const page = (kind, extra, name) => {
      const out = path.join(work, name);
      execFileSync(args.cli, ["--quiet", "--subdirs", "--dir-captions", "--links", "artist,title,filename", "--page", kind]
        .concat(extra, [root, out]));
      return out;
    };
    const library = page("library", [], "library.htm");
    const plain = page("plain", [], "plain.htm");
    const oneTable = page("library", ["--one-table", "--full-path"], "one-table.htm");

    // The whole list drawn at once, to compare it with the plain page.
    let tab = await open(browser, library, library, { height: 40000 });
    const drawn = await rowsOf(tab);
    const plainTab = await open(browser, plain, plain, { script: false });
    const plainRows = await plainTab.evaluate(() => [...document.querySelectorAll("table tr")].filter((tr) => tr.cells[0].tagName === "TD")
      .map((tr) => [...tr.cells].map((td) => td.textContent.replace(/^\u00a0|\u00a0$/g, ""))));
    await plainTab.close();
    const drawnData = drawn.filter((r) => r[0] !== "dir");
    same("drawn rows", drawnData.length, plainRows.length);
    same("drawn cells equal the plain page's", drawnData, plainRows);
    same("folder headings (none for a folder without MP3 files)", drawn.filter((r) => r[0] === "dir").map((r) => path.basename(r[1])),
         ["A folder", "Greek & Cyrillic", "Zz many"]);
    const elements = await tab.evaluate(() => ({
      images: document.images.length, scripts: document.scripts.length,
      hostile: [...document.querySelectorAll("td")].some((td) => td.textContent === "</script><img src=x onerror=alert(1)>"),
      lang: document.documentElement.lang, input: document.querySelector("label[for=q]") !== null && document.getElementById("q").type,
    }));
    same("hostile texts stay text", elements, { images: 0, scripts: 3, hostile: true, lang: "en", input: "search" });
    await checkLinks(tab, root);
    await tab.close();

    tab = await open(browser, library, library);
    await checkSearch(tab);
    await checkSort(tab, false);
    await checkCollation(tab);
    await tab.evaluate(() => window.dispatchEvent(new Event("beforeprint")));
    const printed = await tab.evaluate(() => ({
      rows: document.querySelectorAll("#ts tbody tr:not(.ts-dir):not(.ts-space)").length,
      note: document.getElementById("ts-print").textContent,
    }));
    same("printed rows", printed, { rows: 1000, note: "The first 1,000 of 1,109 files." });
    await tab.evaluate(() => window.dispatchEvent(new Event("afterprint")));
    check("rows drawn again after printing", (await rowsOf(tab)).length < 100);
    check("no dialog, no error", tab.dialogs === 0 && tab.errors.length === 0, tab.errors);
    await tab.close();

    tab = await open(browser, oneTable, oneTable);
    await checkSort(tab, true);
    same("one table has no folder rows", (await rowsOf(tab)).filter((r) => r[0] === "dir").length, 0);
    await tab.close();

    // Without scripts: the first 200 files as plain rows, and the note.
    tab = await open(browser, library, library, { script: false });
    const still = await tab.evaluate(() => ({
      rows: document.querySelectorAll("#ts tbody tr:not(.ts-dir)").length,
      note: document.getElementById("ts-note") !== null && document.getElementById("ts-note").textContent.length > 20,
      links: document.querySelectorAll("#ts tbody a").length,
    }));
    same("rows without scripts", still, { rows: 200, note: true, links: 600 });
    const stillRows = (await rowsOf(tab)).filter((r) => r[0] !== "dir");
    same("plain rows equal the plain page's", stillRows, plainRows.slice(0, 200));
    await checkLinks(tab, root);
    await tab.close();
  } finally {
    await browser.close();
    fs.rmSync(work, { recursive: true, force: true });
  }
  console.log(passed + " passed, " + failed + " failed");
  process.exit(failed ? 1 : 0);
}

main().catch((e) => {
  console.error(e);
  process.exit(1);
});
