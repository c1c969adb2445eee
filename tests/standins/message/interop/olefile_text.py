"""Prints, as a JSON list, the 8-bit text streams of a message file as the
independent compound-file reader olefile gives their bytes, decoded here by
Python's own codec for the code page (null for a stream that is missing or
does not decode).
usage: python3 olefile_text.py <file.msg> <codec> <stream path>..."""
import json
import sys

import olefile

ole = olefile.OleFileIO(sys.argv[1])
codec = sys.argv[2]
texts = []
for path in sys.argv[3:]:
    if not ole.exists(path):
        texts.append(None)
        continue
    try:
        texts.append(ole.openstream(path).read().rstrip(b"\0").decode(codec))
    except UnicodeDecodeError:
        texts.append(None)
print(json.dumps(texts))
