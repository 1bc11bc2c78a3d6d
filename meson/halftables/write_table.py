# SPDX-License-Identifier: MIT
#
# python3 write_table.py <table> <committed table> <digests> <generator>
#
# Runs the generator with its standard output in a temporary file beside
# <table>, and renames that to <table> only once the generator has succeeded
# and written the committed table byte for byte, whose SHA-256 <digests>
# (as sha256sum writes it, text or binary) gives; it removes it otherwise.
# Meson's own capture writes the table in place after the run, so a write
# that fails there (a full disk, a file-size limit) would leave a
# half-written table that the next build takes as up to date.
import hashlib
import itertools
import os
import re
import subprocess
import sys
import tempfile


def check(written, committed, digests):
    """Why the written table is wrong, or None."""
    with open(committed, 'rb') as table:
        expected = table.read()
    name = os.path.basename(committed)
    if written != expected:
        lines = itertools.zip_longest(written.split(b'\n'), expected.split(b'\n'))
        line, (got, want) = next((n, pair) for n, pair in enumerate(lines, 1) if pair[0] != pair[1])
        got, want = ('(none)' if text is None else text.decode(errors='replace') for text in (got, want))
        return (f'the generator wrote a wrong {name}, which differs from {committed} first on line {line}:\n'
                f'  expected: {want}\n  written:  {got}\n'
                'The generator was built wrong for this machine: please report it to the halftables '
                'authors, with the compiler, its version and flags, and the machine.')
    with open(digests, encoding='ascii') as lines:
        known = [m.group(1) for m in (re.fullmatch(r'([0-9a-f]{64}) [ *](.+)', l.rstrip('\r\n'))
                                              for l in lines) if m and m.group(2) == name]
    digest = hashlib.sha256(written).hexdigest()
    if known != [digest]:
        return f'its SHA-256 is {digest}, where {digests} gives {" ".join(known) or "none"}'
    return None


table, committed, digests, command = sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4:]
handle, temporary = tempfile.mkstemp(prefix=f'.{os.path.basename(table)}.', suffix='.tmp',
                                     dir=os.path.dirname(os.path.abspath(table)))
try:
    with os.fdopen(handle, 'w+b') as output:
        status = subprocess.run(command, stdout=output, check=False).returncode
        if status != 0:
            sys.exit(f'{table} not written: the generator failed ({status})')
        output.seek(0)
        why = check(output.read(), committed, digests)
    if why:
        sys.exit(f'{table} not written: {why}')
    # mkstemp makes the file for its owner alone; a table is for everyone
    # the umask lets read it, as any other file the build writes.
    umask = os.umask(0)
    os.umask(umask)
    os.chmod(temporary, 0o666 & ~umask)
    os.replace(temporary, table)
finally:
    if os.path.exists(temporary):
        os.remove(temporary)
