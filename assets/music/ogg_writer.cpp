#include "ogg_writer.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cstdio>

namespace {

bool writePage(std::FILE* f, const ogg_page& page) {
    return std::fwrite(page.header, 1, static_cast<std::size_t>(page.header_len), f) ==
               static_cast<std::size_t>(page.header_len) &&
           std::fwrite(page.body, 1, static_cast<std::size_t>(page.body_len), f) ==
               static_cast<std::size_t>(page.body_len);
}

}  // namespace

bool writeOggVorbis(const std::string& path, const std::vector<double>& samples, long rate, float quality,
                    int serial) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;

    vorbis_info vi;
    vorbis_info_init(&vi);
    if (vorbis_encode_init_vbr(&vi, 1, rate, quality) != 0) {
        vorbis_info_clear(&vi);
        std::fclose(f);
        return false;
    }
    vorbis_comment vc;
    vorbis_comment_init(&vc);
    vorbis_dsp_state vd;
    vorbis_analysis_init(&vd, &vi);
    vorbis_block vb;
    vorbis_block_init(&vd, &vb);
    ogg_stream_state os;
    ogg_stream_init(&os, serial);

    bool ok = true;
    ogg_packet header, comments, codebooks;
    vorbis_analysis_headerout(&vd, &vc, &header, &comments, &codebooks);
    ogg_stream_packetin(&os, &header);
    ogg_stream_packetin(&os, &comments);
    ogg_stream_packetin(&os, &codebooks);
    ogg_page page;
    // Audio must start on a fresh page.
    while (ogg_stream_flush(&os, &page) != 0) ok = ok && writePage(f, page);

    const ogg_int64_t total = static_cast<ogg_int64_t>(samples.size());
    std::size_t fed = 0;
    bool eos = false, finished = false;
    while (!eos && ok) {
        if (finished) {
            ok = false;  // the encoder should have closed the stream by now
            break;
        }
        if (fed < samples.size()) {
            const std::size_t n = std::min<std::size_t>(4096, samples.size() - fed);
            float** buf = vorbis_analysis_buffer(&vd, static_cast<int>(n));
            for (std::size_t i = 0; i < n; ++i) buf[0][i] = static_cast<float>(samples[fed + i]);
            vorbis_analysis_wrote(&vd, static_cast<int>(n));
            fed += n;
        } else {
            vorbis_analysis_wrote(&vd, 0);
            finished = true;
        }
        while (vorbis_analysis_blockout(&vd, &vb) == 1) {
            vorbis_analysis(&vb, nullptr);
            vorbis_bitrate_addblock(&vb);
            ogg_packet op;
            while (vorbis_bitrate_flushpacket(&vd, &op) == 1) {
                // The final granule position trims the last block's padding off the decoded length.
                if (op.e_o_s) op.granulepos = total;
                ogg_stream_packetin(&os, &op);
                while (ogg_stream_pageout(&os, &page) != 0) {
                    ok = ok && writePage(f, page);
                    if (ogg_page_eos(&page)) eos = true;
                }
            }
        }
    }

    ogg_stream_clear(&os);
    vorbis_block_clear(&vb);
    vorbis_dsp_clear(&vd);
    vorbis_comment_clear(&vc);
    vorbis_info_clear(&vi);
    return std::fclose(f) == 0 && ok;
}
