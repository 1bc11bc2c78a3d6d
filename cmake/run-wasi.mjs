// SPDX-License-Identifier: MIT
// Runs a WASI program under node, with node's standard streams as its own and
// its exit status as node's: node --no-warnings run-wasi.mjs <program.wasm> [argument...]
import { fstatSync, openSync } from 'node:fs';
import { readFile } from 'node:fs/promises';
import { argv, exit } from 'node:process';
import { WASI } from 'node:wasi';

// node makes a pipe on standard output non-blocking, and the program would
// take "try again" for a failed write; the pipe opened anew blocks.
const stdout = fstatSync(1).isFIFO() ? openSync('/dev/stdout', 'w') : 1;
const wasi = new WASI({ version: 'preview1', args: argv.slice(2), stdout, returnOnExit: true });
const program = await WebAssembly.compile(await readFile(argv[2]));
exit(wasi.start(await WebAssembly.instantiate(program, wasi.getImportObject())));
