#include "tools/render/PresetFile.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

#include "plugin/sdk/aeffect.h"
#include "tools/render/RenderError.h"

namespace render {

namespace {

constexpr int32_t kChunkMagic = fourCharId('C', 'c', 'n', 'K');
constexpr int32_t kProgramParams = fourCharId('F', 'x', 'C', 'k');
constexpr int32_t kProgramChunk = fourCharId('F', 'P', 'C', 'h');
constexpr int32_t kBankPrograms = fourCharId('F', 'x', 'B', 'k');
constexpr int32_t kBankChunk = fourCharId('F', 'B', 'C', 'h');
constexpr size_t kNameSize = 28;
constexpr size_t kBankFutureSize = 128;
constexpr size_t kHeaderSize = 28;  // magic, byteSize, type, version, fxID, fxVersion, count

[[noreturn]] void garbled(const std::string& why) {
    throw RenderError(ExitCode::preset, "garbled preset: " + why);
}

// Reads big-endian fields within [position, end) and refuses anything beyond it.
class Reader {
  public:
    Reader(const std::vector<uint8_t>& bytes, size_t begin, size_t end)
        : bytes_(bytes), pos_(begin), end_(end) {}

    size_t position() const { return pos_; }
    size_t remaining() const { return end_ - pos_; }

    void need(size_t count, const char* what) const {
        if (count > remaining()) garbled(std::string(what) + " runs past the end of the data");
    }
    int32_t int32(const char* what) {
        need(4, what);
        uint32_t value = 0;
        for (int i = 0; i < 4; ++i) value = (value << 8) | bytes_[pos_++];
        return static_cast<int32_t>(value);
    }
    float float32(const char* what) {
        const uint32_t bits = static_cast<uint32_t>(int32(what));
        float value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    std::string text(size_t size, const char* what) {
        need(size, what);
        const char* start = reinterpret_cast<const char*>(&bytes_[pos_]);
        pos_ += size;
        return std::string(start, strnlen(start, size));
    }
    std::vector<uint8_t> raw(size_t size, const char* what) {
        need(size, what);
        std::vector<uint8_t> out(bytes_.begin() + pos_, bytes_.begin() + pos_ + size);
        pos_ += size;
        return out;
    }
    void skip(size_t size, const char* what) {
        need(size, what);
        pos_ += size;
    }

  private:
    const std::vector<uint8_t>& bytes_;
    size_t pos_;
    size_t end_;
};

void putInt32(std::vector<uint8_t>& out, int32_t value) {
    const auto bits = static_cast<uint32_t>(value);
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(bits >> shift));
}

void putFloat(std::vector<uint8_t>& out, float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    putInt32(out, static_cast<int32_t>(bits));
}

void putText(std::vector<uint8_t>& out, const std::string& text, size_t size) {
    for (size_t i = 0; i < size; ++i) out.push_back(i < text.size() && i + 1 < size ? text[i] : 0);
}

int32_t typeTag(PresetFile::Kind kind) {
    switch (kind) {
        case PresetFile::Kind::programParams:
            return kProgramParams;
        case PresetFile::Kind::programChunk:
            return kProgramChunk;
        case PresetFile::Kind::bankPrograms:
            return kBankPrograms;
        case PresetFile::Kind::bankChunk:
            return kBankChunk;
    }
    return 0;
}

size_t checkedCount(int32_t count, size_t elementSize, const Reader& reader, const char* what) {
    if (count < 0) garbled(std::string("negative ") + what);
    if (static_cast<size_t>(count) > reader.remaining() / elementSize)
        garbled(std::string(what) + " (" + std::to_string(count) + ") exceeds the data");
    return static_cast<size_t>(count);
}

PresetFile parseRecord(const std::vector<uint8_t>& bytes, size_t begin, size_t& next, bool insideBank) {
    Reader header(bytes, begin, bytes.size());
    if (header.remaining() < kHeaderSize) garbled("too short for a preset header");
    if (header.int32("magic") != kChunkMagic) garbled("it does not start with 'CcnK'");
    const int32_t byteSize = header.int32("byte size");
    if (byteSize < static_cast<int32_t>(kHeaderSize - 8) ||
        static_cast<size_t>(byteSize) > header.remaining())
        garbled("its byte size (" + std::to_string(byteSize) + ") does not fit the data");
    const size_t end = header.position() + static_cast<size_t>(byteSize);
    Reader reader(bytes, header.position(), end);

    PresetFile preset;
    const int32_t type = reader.int32("type");
    if (type == kProgramParams)
        preset.kind = PresetFile::Kind::programParams;
    else if (type == kProgramChunk)
        preset.kind = PresetFile::Kind::programChunk;
    else if (type == kBankPrograms)
        preset.kind = PresetFile::Kind::bankPrograms;
    else if (type == kBankChunk)
        preset.kind = PresetFile::Kind::bankChunk;
    else
        garbled("unknown preset type '" + fourCharText(type) + "'");
    if (insideBank && preset.isBank()) garbled("a bank inside a bank");

    preset.formatVersion = reader.int32("format version");
    preset.fxId = reader.int32("plug-in ID");
    preset.fxVersion = reader.int32("plug-in version");
    preset.numPrograms = reader.int32("count");
    if (preset.numPrograms < 0) garbled("negative program or parameter count");

    switch (preset.kind) {
        case PresetFile::Kind::programParams: {
            preset.programName = reader.text(kNameSize, "program name");
            const size_t count = checkedCount(preset.numPrograms, 4, reader, "parameter count");
            for (size_t i = 0; i < count; ++i) preset.params.push_back(reader.float32("parameter"));
            break;
        }
        case PresetFile::Kind::programChunk: {
            preset.programName = reader.text(kNameSize, "program name");
            const size_t size = checkedCount(reader.int32("chunk size"), 1, reader, "chunk size");
            preset.chunk = reader.raw(size, "chunk");
            break;
        }
        case PresetFile::Kind::bankChunk: {
            reader.skip(kBankFutureSize, "bank header");
            const size_t size = checkedCount(reader.int32("chunk size"), 1, reader, "chunk size");
            preset.chunk = reader.raw(size, "chunk");
            break;
        }
        case PresetFile::Kind::bankPrograms: {
            reader.skip(kBankFutureSize, "bank header");
            size_t position = reader.position();
            checkedCount(preset.numPrograms, kHeaderSize, reader, "program count");
            for (int32_t i = 0; i < preset.numPrograms; ++i) {
                size_t after = 0;
                std::vector<uint8_t> slice(bytes.begin() + position, bytes.begin() + end);
                preset.programs.push_back(parseRecord(slice, 0, after, true));
                position += after;
            }
            reader.skip(position - reader.position(), "programs");
            break;
        }
    }
    next = end - begin;
    return preset;
}

}  // namespace

std::string fourCharText(int32_t id) {
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const char c = static_cast<char>((static_cast<uint32_t>(id) >> shift) & 0xFF);
        if (c < 32 || c > 126) return std::to_string(id);
        text += c;
    }
    return text;
}

PresetFile PresetFile::parse(const std::vector<uint8_t>& bytes) {
    size_t used = 0;
    return parseRecord(bytes, 0, used, false);
}

PresetFile PresetFile::load(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) throw RenderError(ExitCode::preset, "cannot open preset " + path);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    try {
        return parse(bytes);
    } catch (const RenderError& error) {
        throw RenderError(ExitCode::preset, path + ": " + error.what());
    }
}

std::vector<uint8_t> PresetFile::serialize() const {
    std::vector<uint8_t> body;
    putInt32(body, typeTag(kind));
    putInt32(body, formatVersion);
    putInt32(body, fxId);
    putInt32(body, fxVersion);
    switch (kind) {
        case Kind::programParams:
            putInt32(body, static_cast<int32_t>(params.size()));
            putText(body, programName, kNameSize);
            for (float value : params) putFloat(body, value);
            break;
        case Kind::programChunk:
            putInt32(body, numPrograms);
            putText(body, programName, kNameSize);
            putInt32(body, static_cast<int32_t>(chunk.size()));
            body.insert(body.end(), chunk.begin(), chunk.end());
            break;
        case Kind::bankChunk:
            putInt32(body, numPrograms);
            body.insert(body.end(), kBankFutureSize, 0);
            putInt32(body, static_cast<int32_t>(chunk.size()));
            body.insert(body.end(), chunk.begin(), chunk.end());
            break;
        case Kind::bankPrograms:
            putInt32(body, static_cast<int32_t>(programs.size()));
            body.insert(body.end(), kBankFutureSize, 0);
            for (const PresetFile& program : programs) {
                const std::vector<uint8_t> record = program.serialize();
                body.insert(body.end(), record.begin(), record.end());
            }
            break;
    }
    std::vector<uint8_t> out;
    putInt32(out, kChunkMagic);
    putInt32(out, static_cast<int32_t>(body.size()));
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

void PresetFile::save(const std::string& path) const {
    const std::vector<uint8_t> bytes = serialize();
    const std::string temporary = path + ".partial";
    FILE* file = std::fopen(temporary.c_str(), "wb");
    bool written = file && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (file) written = (std::fclose(file) == 0) && written;
    if (!written || std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        throw RenderError(ExitCode::output, "cannot write preset " + path);
    }
}

}  // namespace render
