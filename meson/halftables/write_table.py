# SPDX-License-Identifier: MIT
#
# python3 write_table.py <table> <digests> <generator> [<argument>...]
# python3 write_table.py --check <digests> <table name>...
#
# Runs the generator with its standard output in a temporary file beside the
# table, and renames that to the table only once the generator has succeeded
# and the table's SHA-256 is the one <digests> (sha256sum's format, text or
# binary) gives for it, removing it otherwise. Meson's own capture writes the
# table in place after the run, so a write that fails there (a full disk, a
# file-size limit) leaves a half-written table that the next build takes as
# up to date. With --check, it only checks that <digests> gives a SHA-256
# for each table named.
import hashlib
import os
import re
import subprocess
import sys
import tempfile


def known_digest(digests, name):
    with open(digests, encoding='ascii') as lines:
        for line in lines:
            match = re.fullmatch(r'([0-9A-Fa-f]{64}) [ *](.+)', line.rstrip('\r\n'))
            if match and match.group(2) == name:
                return match.group(1).lower()
    sys.exit(f'halftables: {digests} gives no SHA-256 for {name}')


if sys.argv[1] == '--check':
    for name in sys.argv[3:]:
        known_digest(sys.argv[2], name)
    sys.exit()

table, digests, command = sys.argv[1], sys.argv[2], sys.argv[3:]
directory, name = os.path.split(os.path.abspath(table))
digest = known_digest(digests, name)
handle, temporary = tempfile.mkstemp(prefix=f'.{name}.', suffix='.tmp', dir=directory)
try:
    with os.fdopen(handle, 'w+b') as output:
        status = subprocess.run(command, stdout=output, check=False).returncode
        if status != 0:
            sys.exit(f'{table} not written: the generator failed ({status})')
        output.seek(0)
        written = hashlib.sha256(output.read()).hexdigest()
    if written != digest:
        sys.exit(f'{table} not written: the generator wrote a wrong {name}, SHA-256 {written} '
                 f'where the table\'s is {digest}. The generator was built wrong for this machine: '
                 'please report it to the halftables authors, with the compiler, its version and '
                 'flags, and the machine it was built for, and use no table it wrote.')
    # mkstemp makes the file for its owner alone; a table is for everyone
    # the umask lets read it, as any other file the build writes.
    umask = os.umask(0)
    os.umask(umask)
    os.chmod(temporary, 0o666 & ~umask)
    os.replace(temporary, table)
finally:
    if os.path.exists(temporary):
        os.remove(temporary)
