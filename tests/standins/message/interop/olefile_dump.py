"""Prints, as JSON, what the independent compound-file reader olefile sees
in a message file: its streams and storages, the root class id, the subject
stream, and the named-property map decoded from its three streams.
usage: python3 olefile_dump.py <file.msg>"""
import json
import struct
import sys
import uuid

import olefile

ole = olefile.OleFileIO(sys.argv[1])
entries = ["/".join(path) for path in ole.listdir(streams=True, storages=True)]


def stream(path):
    return ole.openstream(path).read() if ole.exists(path) else b""


guids = stream("__nameid_version1.0/__substg1.0_00020102")
entry_stream = stream("__nameid_version1.0/__substg1.0_00030102")
strings = stream("__nameid_version1.0/__substg1.0_00040102")
known = {1: "00020328-0000-0000-c000-000000000046", 2: "00020329-0000-0000-c000-000000000046"}
names = []
for offset in range(0, len(entry_stream) - 7, 8):
    key, index_kind, prop_index = struct.unpack_from("<IHH", entry_stream, offset)
    guid_index = index_kind >> 1
    if guid_index in known:
        pset = known[guid_index]
    else:
        start = (guid_index - 3) * 16
        pset = str(uuid.UUID(bytes_le=guids[start:start + 16]))
    if index_kind & 1:
        (length,) = struct.unpack_from("<I", strings, key)
        name = strings[key + 4:key + 4 + length].decode("utf-16-le")
        names.append({"id": 0x8000 + prop_index, "set": pset, "name": name})
    else:
        names.append({"id": 0x8000 + prop_index, "set": pset, "lid": key})

print(json.dumps({
    "entries": entries,
    "clsid": ole.root.clsid,
    "subject": stream("__substg1.0_0037001F").decode("utf-16-le"),
    "named": names,
}))
