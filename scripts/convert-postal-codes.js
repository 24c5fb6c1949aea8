// Converts the json/ folder of the npm package jquery-jpostal-ja into the postal code table
// that the program reads (resources/postal/codes.txt), written to standard output.
//
// The package keeps Japan Post's residential and business codes in json/NNN.json, one file per
// first three digits, each a JSONP call holding rows of
//   ["_NNNNNNN", prefecture, city, town, business street address, business name, kana...]
// plus rows of a bare three-digit code and one "_000info" row naming the data's version.
// The table keeps prefecture, city and town (a business code's street address joins its town);
// cities are numbered once, and codes are grouped by their first three digits.
"use strict";
const fs = require("fs");
const path = require("path");

const [packageDir] = process.argv.slice(2);
if (!packageDir) {
    console.error("usage: node convert-postal-codes.js PACKAGE_DIR");
    process.exit(2);
}
const pkg = JSON.parse(fs.readFileSync(path.join(packageDir, "package.json"), "utf8"));
const jsonDir = path.join(packageDir, "json");

function rowsOf(file) {
    const text = fs.readFileSync(path.join(jsonDir, file), "utf8");
    const call = text.match(/^\s*jQuery_jpostal_callback\(\s*([\s\S]*?)\s*\);?\s*$/);
    if (!call)
        throw new Error(`${file}: not the expected jQuery_jpostal_callback(...) form`);
    return JSON.parse(call[1]);
}

const noTabs = (text) => {
    if (/[\t\n\r]/.test(text))
        throw new Error(`a tab or line break in ${JSON.stringify(text)}`);
    return text;
};

let dataVersion = "unknown";
const rows = [];
for (const file of fs.readdirSync(jsonDir).filter((f) => /^\d{3}\.json$/.test(f)).sort()) {
    for (const row of rowsOf(file)) {
        if (row[0] === "_000info")
            dataVersion = row[2];
        if (!/^_\d{7}$/.test(row[0]))
            continue;
        if (row.length < 5)
            throw new Error(`${file}: short row ${JSON.stringify(row)}`);
        rows.push({
            code: row[0].slice(1),
            prefecture: noTabs(row[1]),
            city: noTabs(row[2]),
            town: noTabs(row[3] + row[4]),
        });
    }
}
if (rows.length < 100000)
    throw new Error(`only ${rows.length} codes: the package's layout has changed`);
// Stable: the towns of one code keep Japan Post's order.
rows.sort((a, b) => (a.code < b.code ? -1 : a.code > b.code ? 1 : 0));

const cities = new Map();
for (const row of rows) {
    const key = `${row.prefecture}\t${row.city}`;
    if (!cities.has(key))
        cities.set(key, cities.size);
}

const out = [
    "# Japan Post's postal codes (Japan Post claims no copyright on them), taken from the npm",
    `# package jquery-jpostal-ja ${pkg.version} (MIT licence), data ${dataVersion}.`,
    "# Made by scripts/update-postal-codes; do not edit by hand.",
    "# @prefecture<TAB>city: the cities, numbered from 0 in this order.",
    "# =NNN: the codes that follow begin with these three digits.",
    "# NNNN<TAB>city number<TAB>town: one address; a code with several towns has several lines.",
];
for (const key of cities.keys())
    out.push(`@${key}`);
let section = "";
for (const row of rows) {
    if (row.code.slice(0, 3) !== section) {
        section = row.code.slice(0, 3);
        out.push(`=${section}`);
    }
    out.push(`${row.code.slice(3)}\t${cities.get(`${row.prefecture}\t${row.city}`)}\t${row.town}`);
}
process.stdout.write(out.join("\n") + "\n");
console.error(`${rows.length} addresses, ${cities.size} cities, data ${dataVersion}`);
