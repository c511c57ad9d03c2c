// Checks on a WAV file's chunk layout before SDL decodes it. RIFX is the big-endian twin of the
// RIFF layout; SDL only decodes RIFF, so a RIFX file is handed over with its header rewritten
// little-endian while its samples stay big-endian.
#pragma once

// True when `bytes` start like a RIFX WAVE file.
bool isRifxWav(unsigned char const* bytes, int size);

// Rewrites, in place, the RIFF size, every chunk size and the "fmt " fields of a RIFX WAVE file
// to little-endian and its tag to "RIFF"; sample data is left as it is. Returns false (the bytes
// may then be partly rewritten) unless the file is RIFX WAVE with 8- or 16-bit PCM "fmt " chunks.
bool rewriteRifxAsRiff(unsigned char* bytes, int size);

// True when every chunk of a RIFF WAVE file, up to and including "data", lies inside the
// `size` bytes. SDL allocates what a chunk declares before it reads, so a few bytes that
// claim gigabytes are refused here.
bool wavChunksFit(unsigned char const* bytes, int size);
