// The content transform of pack entries as one key stream. Content byte k receives
// arc_cip[k mod 3] + arc_cip2[k mod 5] + arc_cip3[k mod 7]; the sum has period 105, so one
// precomputed stream replaces the three tables and costs one addition per byte.
#pragma once

class ContentCipher {
public:
    static constexpr int PERIOD = 105;

    // Adds the key stream to `length` bytes; `start` is the content index of data[0].
    static void encipher(unsigned char* data, long length, long start);
    // Subtracts it again.
    static void uncipher(unsigned char* data, long length, long start);
};
