#!/usr/bin/env node
// idchart's command line under node: `node idchart-node.mjs compute …`. The
// module beside this file runs the command with the arguments node was given
// and ends the process with the command's exit status.
import { createRequire } from 'node:module';

createRequire(import.meta.url)('./idchart-node-module.cjs');
