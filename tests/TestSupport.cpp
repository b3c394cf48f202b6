#include "TestSupport.h"
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <png.h>
#include <vorbis/vorbisenc.h>

void HeadlessTest::SetUp() {
    const char* error = "";
    window = CreateGameWindow(DisplayMode::Headless, "Pebble&Frost", &error);
    ASSERT_NE(window, nullptr) << error;
    mainWindow = window;
    ASSERT_EQ(Graphics::Instance().InitDevice(), 0);
    InputKeyboard::Instance().Init(window);
    InputMouse::Instance().window = window;
    InputMouse::Instance().Init(window);
    headless::SetActive(true);
}

void HeadlessTest::TearDown() {
    if (!tempDir.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(tempDir, ignored);
    }
}

const std::string& HeadlessTest::TempDir() {
    if (tempDir.empty()) {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "pebblefrost_test_XXXXXX").string();
        if (mkdtemp(pattern.data())) tempDir = pattern;
        EXPECT_FALSE(tempDir.empty()) << "cannot make a temporary folder";
    }
    return tempDir;
}

bool WriteTestPng(const std::string& path, int width, int height,
                  const std::vector<uint32_t>& pixels) {
    std::vector<uint8_t> rgba(size_t(width) * height * 4);
    for (size_t i = 0; i < pixels.size() && i * 4 < rgba.size(); ++i) {
        rgba[i * 4 + 0] = uint8_t(pixels[i] >> 16);
        rgba[i * 4 + 1] = uint8_t(pixels[i] >> 8);
        rgba[i * 4 + 2] = uint8_t(pixels[i]);
        rgba[i * 4 + 3] = uint8_t(pixels[i] >> 24);
    }
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(width);
    image.height = png_uint_32(height);
    image.format = PNG_FORMAT_RGBA;
    bool ok = png_image_write_to_file(&image, path.c_str(), 0, rgba.data(), 0, nullptr);
    EXPECT_TRUE(ok) << "cannot write " << path << ": " << image.message;
    return ok;
}

bool WriteSolidPng(const std::string& path, int width, int height, uint32_t colour) {
    return WriteTestPng(path, width, height, std::vector<uint32_t>(size_t(width) * height, colour));
}

namespace {

bool WritePages(ogg_stream_state& stream, FILE* file, bool flush) {
    ogg_page page;
    while (flush ? ogg_stream_flush(&stream, &page) : ogg_stream_pageout(&stream, &page)) {
        if (std::fwrite(page.header, 1, size_t(page.header_len), file) != size_t(page.header_len) ||
            std::fwrite(page.body, 1, size_t(page.body_len), file) != size_t(page.body_len))
            return false;
    }
    return true;
}

} // namespace

bool WriteTestOgg(const std::string& path, int channels, int rate, int frames, float frequency) {
    FILE* file = std::fopen(path.c_str(), "wb");
    EXPECT_NE(file, nullptr) << "cannot write " << path;
    if (!file) return false;

    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, channels, rate, 0.3f) != 0) {
        ADD_FAILURE() << "vorbis encoder refuses " << channels << " channels at " << rate;
        std::fclose(file);
        return false;
    }
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_dsp_state dsp;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block block;
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, 1234);

    ogg_packet header, headerComment, headerCode;
    vorbis_analysis_headerout(&dsp, &comment, &header, &headerComment, &headerCode);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &headerComment);
    ogg_stream_packetin(&stream, &headerCode);
    bool ok = WritePages(stream, file, true);

    const int chunk = 1024;
    for (int done = 0; done <= frames && ok;) {
        int n = std::min(chunk, frames - done);
        if (n > 0) {
            float** buffer = vorbis_analysis_buffer(&dsp, n);
            for (int i = 0; i < n; ++i) {
                float v = 0.5f * std::sin(6.2831853f * frequency * float(done + i) / float(rate));
                for (int c = 0; c < channels; ++c)
                    buffer[c][i] = v;
            }
            vorbis_analysis_wrote(&dsp, n);
            done += n;
        } else {
            vorbis_analysis_wrote(&dsp, 0); // end of stream
            done = frames + 1;
        }
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp, &packet)) {
                ogg_stream_packetin(&stream, &packet);
                ok = ok && WritePages(stream, file, false);
            }
        }
    }
    ok = ok && WritePages(stream, file, true);

    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    ok = std::fclose(file) == 0 && ok;
    EXPECT_TRUE(ok) << "cannot write " << path;
    return ok;
}

Texture* LoadTestTexture(const std::string& path) {
    Texture* slot = nullptr;
    LoadTexture(path.c_str(), slot);
    return slot;
}

void ClearFrame() {
    Graphics::Instance().Clear();
}

PixelBox DrawnBox(uint32_t background) {
    PixelBox box{Graphics::kWidth, Graphics::kHeight, 0, 0};
    const uint32_t* pixels = headless::Pixels();
    if (!pixels) return PixelBox{};
    for (int y = 0; y < Graphics::kHeight; ++y)
        for (int x = 0; x < Graphics::kWidth; ++x) {
            if (pixels[y * Graphics::kWidth + x] == background) continue;
            box.left = std::min(box.left, x);
            box.top = std::min(box.top, y);
            box.right = std::max(box.right, x + 1);
            box.bottom = std::max(box.bottom, y + 1);
        }
    return box.Empty() ? PixelBox{} : box;
}
