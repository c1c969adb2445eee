// Prints what the independent npm vCard parser "vcf" sees in a card, as
// JSON of property name to values: usage: node vcf_dump.js <file.vcf>
'use strict';
const fs = require('fs');
const vCard = require('vcf');

const cards = vCard.parse(fs.readFileSync(process.argv[2], 'utf8'));
const out = cards.map((card) => {
  const props = {};
  for (const name of Object.keys(card.data)) {
    const entries = [].concat(card.data[name]);
    props[name] = entries.map((p) => ({ value: p.valueOf(), type: p.type === undefined ? null : [].concat(p.type) }));
  }
  return props;
});
process.stdout.write(JSON.stringify(out));
