// The pack file handle of the fixed-function build: a standard I/O stream from fopen.
#pragma once

#include <cstdio>

using ArchiveFileHandle = FILE*;
