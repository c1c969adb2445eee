// Prints what the independent npm reader @kenjiuno/msgreader sees in a
// message file, as JSON: usage: node msgreader_dump.js <file.msg>
'use strict';
const fs = require('fs');
const MsgReader = require('@kenjiuno/msgreader').default;

function named(fields) {
  return (fields.rawProps || [])
    .filter((p) => p.propertySet || p.propertyName)
    .map((p) => ({
      set: p.propertySet,
      lid: p.propertyLid === undefined ? null : parseInt(p.propertyLid, 16),
      name: p.propertyName === undefined ? null : p.propertyName,
      value: typeof p.value === 'string' ? p.value : null,
    }));
}

function describe(reader, fields) {
  return {
    subject: fields.subject,
    body: fields.body,
    html: fields.html ? Buffer.from(fields.html).toString('utf8') : fields.bodyHtml,
    senderName: fields.senderName,
    senderEmail: fields.senderEmail,
    recipients: (fields.recipients || []).map((r) => ({ name: r.name, email: r.email || r.smtpAddress, type: r.recipType })),
    attachments: (fields.attachments || []).map((a) => {
      if (a.innerMsgContent) return { embedded: describe(reader, a.innerMsgContentFields) };
      const data = reader.getAttachment(a);
      return { fileName: data.fileName, base64: Buffer.from(data.content).toString('base64') };
    }),
    named: named(fields),
  };
}

const bytes = fs.readFileSync(process.argv[2]);
const reader = new MsgReader(bytes.buffer.slice(bytes.byteOffset, bytes.byteOffset + bytes.length));
reader.parserConfig = { includeRawProps: true };
const fields = reader.getFileData();
if (fields.error) {
  console.error(fields.error);
  process.exit(1);
}
process.stdout.write(JSON.stringify(describe(reader, fields)));
