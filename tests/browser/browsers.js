// What the browser checks and the browser benchmark share: where a browser is, and how
// Chromium is started for them (headless, no network of its own, nothing kept between runs).
"use strict";
const fs = require("fs");
const path = require("path");

// A program's path, from the folders of PATH.
function onPath(name) {
  for (const dir of (process.env.PATH || "").split(path.delimiter)) {
    const file = path.join(dir, name);
    if (dir && fs.existsSync(file))
      return file;
  }
  return name;
}

const ChromiumArgs = ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                      "--disable-background-networking", "--disable-component-update", "--disable-sync"];

module.exports = { onPath, ChromiumArgs };
