// zembcfg as a user runs it: arguments in, exit status and printed text out,
// on real files whose bytes are set at literal offsets.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bytes.h"
#include "settings/file_io_posix.h"
#include "settings/settings_file.h"
#include "zembcfg/zembcfg.h"

namespace fs = std::filesystem;
using Bytes = std::vector<unsigned char>;

namespace {

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

Outcome zembcfg(const std::vector<std::string>& args) {
    Io io;
    const int status = runZembcfg(args, io);
    return {status, io.out, io.err};
}

void put32(Bytes& bytes, size_t offset, int32_t value) {
    put16(bytes, offset, static_cast<int16_t>(value & 0xFFFF));
    put16(bytes, offset + 2, static_cast<int16_t>((value >> 16) & 0xFFFF));
}

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

class Zembcfg : public ::testing::Test {
  protected:
    fs::path folder;
    Bytes fresh; // a settings file as the settings program creates it

    void SetUp() override {
        char templ[] = "/tmp/zembcfg-test-XXXXXX";
        ASSERT_NE(mkdtemp(templ), nullptr);
        folder = templ;
        setDocumentsFolder(folder.c_str());
        ASSERT_EQ(loadSettings(), LoadStatus::Created);
        fresh = read(folder / "Adobe" / "Illustrator" / "KELDORIX.INI");
        ASSERT_EQ(fresh.size(), 17922u);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }
    static Bytes read(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), {});
    }
    std::string write(const std::string& name, const Bytes& bytes) {
        const fs::path path = folder / name;
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        return path.string();
    }
};

TEST_F(Zembcfg, Dump) {
    const Outcome run = zembcfg({"show", "--file", write("a.ini", fresh)});
    std::cout << run.out << run.err;
    const Outcome j = zembcfg({"show", "--json", "--file", write("a.ini", fresh)});
    std::cout << j.out.substr(0, 3000) << j.err;
}

} // namespace
