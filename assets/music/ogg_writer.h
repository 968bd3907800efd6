#pragma once
#include <string>
#include <vector>

// Encodes mono samples (-1..1) as Ogg Vorbis at the given VBR quality. The last page's granule
// position is the exact sample count, so a decoder returns precisely the samples given and a
// looping player wraps from the last one straight to the first.
bool writeOggVorbis(const std::string& path, const std::vector<double>& samples, long rate, float quality,
                    int serial);
