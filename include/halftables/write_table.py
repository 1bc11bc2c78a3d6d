# SPDX-License-Identifier: MIT
#
# python3 write_table.py <table> <generator> [<argument>...]
#
# Runs the generator with its standard output in a temporary file beside the
# table, and renames that to the table only once the generator has succeeded,
# removing it otherwise. Meson's own capture writes the table in place after
# the run, so a write that fails there (a full disk, a file-size limit) leaves
# a half-written table that the next build takes as up to date.
import os
import subprocess
import sys
import tempfile

table, command = sys.argv[1], sys.argv[2:]
directory, name = os.path.split(os.path.abspath(table))
handle, temporary = tempfile.mkstemp(prefix=f'.{name}.', suffix='.tmp', dir=directory)
try:
    with os.fdopen(handle, 'wb') as output:
        status = subprocess.run(command, stdout=output, check=False).returncode
    if status != 0:
        sys.exit(f'{table} not written: the generator failed ({status})')
    # mkstemp makes the file for its owner alone; a table is for everyone
    # the umask lets read it, as any other file the build writes.
    umask = os.umask(0)
    os.umask(umask)
    os.chmod(temporary, 0o666 & ~umask)
    os.replace(temporary, table)
finally:
    if os.path.exists(temporary):
        os.remove(temporary)
