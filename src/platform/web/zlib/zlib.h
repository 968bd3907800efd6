#pragma once
// The few zlib calls the replays make, for the browser build, where no zlib is at hand: the same zlib
// streams, from the deflate coder and inflater that stb_image_write and stb_image carry.
#include <cstddef>

typedef unsigned char Bytef;
typedef unsigned long uLong;
typedef unsigned long uLongf;
typedef unsigned int uInt;

#define Z_OK 0
#define Z_MEM_ERROR (-4)
#define Z_BUF_ERROR (-5)
#define Z_DATA_ERROR (-3)
#define Z_BEST_SPEED 1
#define Z_DEFAULT_COMPRESSION (-1)
#define Z_STREAM_END 1
#define Z_FINISH 4

// Larger than zlib's own bound: stb's coder spends up to nine bits on a byte it cannot match.
uLong compressBound(uLong sourceLen);
int compress2(Bytef* dest, uLongf* destLen, const Bytef* source, uLong sourceLen, int level);
int uncompress(Bytef* dest, uLongf* destLen, const Bytef* source, uLong sourceLen);

// Streams, one whole buffer at a time (Z_FINISH): what the replay viewer's snapshots need.
struct z_stream {
    Bytef* next_in;
    uInt avail_in;
    Bytef* next_out;
    uInt avail_out;
    int level;
};
int deflateInit(z_stream* strm, int level);
int deflateReset(z_stream* strm);
int deflate(z_stream* strm, int flush);
int inflateInit(z_stream* strm);
int inflateReset(z_stream* strm);
int inflate(z_stream* strm, int flush);
