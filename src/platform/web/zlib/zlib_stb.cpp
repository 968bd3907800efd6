#include "zlib.h"

#include <climits>
#include <cstdlib>
#include <cstring>

// Built with the implementations in platform/gfx/image_decode.cpp.
extern "C" unsigned char* stbi_zlib_compress(unsigned char* data, int dataLen, int* outLen, int quality);
extern "C" int stbi_zlib_decode_buffer(char* obuffer, int olen, const char* ibuffer, int ilen);

uLong compressBound(uLong sourceLen) { return sourceLen + sourceLen / 8 + 64; }

int compress2(Bytef* dest, uLongf* destLen, const Bytef* source, uLong sourceLen, int level) {
    if (sourceLen > INT_MAX) return Z_MEM_ERROR;
    int outLen = 0;
    // stb's quality is the longest hash chain searched; 5 is its least.
    unsigned char* out = stbi_zlib_compress(const_cast<Bytef*>(source), static_cast<int>(sourceLen), &outLen,
                                            level == Z_BEST_SPEED ? 5 : 8);
    if (!out) return Z_MEM_ERROR;
    int result = Z_BUF_ERROR;
    if (static_cast<uLong>(outLen) <= *destLen) {
        std::memcpy(dest, out, static_cast<size_t>(outLen));
        *destLen = static_cast<uLongf>(outLen);
        result = Z_OK;
    }
    std::free(out);
    return result;
}

int uncompress(Bytef* dest, uLongf* destLen, const Bytef* source, uLong sourceLen) {
    if (sourceLen > INT_MAX || *destLen > INT_MAX) return Z_BUF_ERROR;
    int got = stbi_zlib_decode_buffer(reinterpret_cast<char*>(dest), static_cast<int>(*destLen),
                                      reinterpret_cast<const char*>(source), static_cast<int>(sourceLen));
    if (got < 0) return Z_DATA_ERROR;
    *destLen = static_cast<uLongf>(got);
    return Z_OK;
}

namespace {

// The whole input taken and `size` bytes written.
int Finished(z_stream* strm, uLongf size) {
    strm->next_in += strm->avail_in;
    strm->avail_in = 0;
    strm->next_out += size;
    strm->avail_out -= static_cast<uInt>(size);
    return Z_STREAM_END;
}

}  // namespace

int deflateInit(z_stream* strm, int level) {
    strm->level = level;
    return Z_OK;
}
int deflateReset(z_stream*) { return Z_OK; }

int deflate(z_stream* strm, int flush) {
    uLongf size = strm->avail_out;
    if (flush != Z_FINISH || compress2(strm->next_out, &size, strm->next_in, strm->avail_in, strm->level) != Z_OK)
        return Z_BUF_ERROR;
    return Finished(strm, size);
}

int inflateInit(z_stream*) { return Z_OK; }
int inflateReset(z_stream*) { return Z_OK; }

int inflate(z_stream* strm, int flush) {
    uLongf size = strm->avail_out;
    if (flush != Z_FINISH || uncompress(strm->next_out, &size, strm->next_in, strm->avail_in) != Z_OK)
        return Z_DATA_ERROR;
    return Finished(strm, size);
}
