// MP3 decoding through the Audio Compression Manager: the first frame's header describes the
// stream to the codec (MPEGLAYER3WAVEFORMAT), compressed bytes go in a few kilobytes at a time,
// and PCM comes out. A codec that keeps output back is drained at the end with empty input.
#include "music/libmp3/win32/AcmDecoder.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::size_t sourceChunk = 4096;
constexpr std::size_t searchWindow = 65536;  // how far past a tag the first frame may lie
constexpr std::uint64_t largestFile = std::uint64_t(128) << 20;  // over an hour at 256 kbit/s
constexpr WORD codecDelay = 1393;  // samples the codec's filter bank adds in front

// Reads up to count bytes from offset into bytes, which ends up holding what was really read.
bool readAt(HANDLE file, std::uint64_t offset, std::size_t count,
            std::vector<unsigned char>* bytes) {
    bytes->assign(count, 0);
    LARGE_INTEGER position;
    position.QuadPart = static_cast<LONGLONG>(offset);
    if (!SetFilePointerEx(file, position, nullptr, FILE_BEGIN)) return false;
    std::size_t got = 0;
    while (got < count) {
        DWORD read = 0;
        if (!ReadFile(file, bytes->data() + got, static_cast<DWORD>(count - got), &read, nullptr))
            return false;
        if (read == 0) break;
        got += read;
    }
    bytes->resize(got);
    return true;
}

}  // namespace

AcmDecoder::~AcmDecoder() {
    closeStream();
}

bool AcmDecoder::open(const char* path, Reading reading) {
    if (path == nullptr || stream != nullptr || !file.empty()) return false;
    HANDLE handle = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size;
    bool ok = GetFileType(handle) == FILE_TYPE_DISK && GetFileSizeEx(handle, &size) &&
              size.QuadPart > 0 && static_cast<std::uint64_t>(size.QuadPart) <= largestFile;
    const std::uint64_t fileBytes = ok ? static_cast<std::uint64_t>(size.QuadPart) : 0;

    // start: the bytes from the end of any ID3v2 tag on, at most searchWindow of them.
    std::vector<unsigned char> head;
    const unsigned char* start = nullptr;
    std::size_t startBytes = 0;
    std::uint64_t tag = 0;
    if (ok && reading == Reading::wholeFile) {
        ok = readAt(handle, 0, static_cast<std::size_t>(fileBytes), &file) &&
             file.size() == fileBytes;
        if (ok) tag = id3v2TagSize(file.data(), file.size());
        ok = ok && tag < fileBytes;
        if (ok) {
            start = file.data() + tag;
            startBytes =
                std::min<std::size_t>(searchWindow, file.size() - static_cast<std::size_t>(tag));
        }
    } else if (ok) {
        ok =
            readAt(handle, 0,
                   std::min<std::size_t>(searchWindow, static_cast<std::size_t>(fileBytes)), &head);
        if (ok) tag = id3v2TagSize(head.data(), head.size());
        ok = ok && tag < fileBytes && (tag == 0 || readAt(handle, tag, searchWindow, &head));
        start = head.data();
        startBytes = head.size();
    }
    CloseHandle(handle);  // the program may delete the file as soon as it likes
    if (!ok) {
        file.clear();
        return false;
    }

    // Two frames in a row that agree mark the start of the audio.
    const long long found = findFirstFrame(start, startBytes, &first);
    if (found < 0) {
        file.clear();
        return false;
    }
    audioStart = tag + static_cast<std::uint64_t>(found);
    const std::uint32_t frames =
        taggedFrameCount(start + found, startBytes - static_cast<std::size_t>(found), first);
    if (frames != 0)
        length = static_cast<double>(frames) * first.samplesPerFrame / first.sampleRate;
    else
        length = static_cast<double>(fileBytes - audioStart) * 8.0 / first.bitRate;

    if (reading == Reading::headerOnly) return true;
    if (!openStream()) {
        file.clear();
        return false;
    }
    positionAt(static_cast<std::size_t>(audioStart));
    return true;
}

bool AcmDecoder::openStream() {
    MPEGLAYER3WAVEFORMAT input{};
    input.wfx.wFormatTag = WAVE_FORMAT_MPEGLAYER3;
    input.wfx.nChannels = static_cast<WORD>(first.channels);
    input.wfx.nSamplesPerSec = static_cast<DWORD>(first.sampleRate);
    input.wfx.nAvgBytesPerSec = static_cast<DWORD>(first.bitRate / 8);
    input.wfx.nBlockAlign = 1;
    input.wfx.wBitsPerSample = 0;
    input.wfx.cbSize = MPEGLAYER3_WFX_EXTRA_BYTES;
    input.wID = MPEGLAYER3_ID_MPEG;
    input.fdwFlags = MPEGLAYER3_FLAG_PADDING_ISO;
    input.nBlockSize = static_cast<WORD>(first.length);
    input.nFramesPerBlock = 1;
    input.nCodecDelay = codecDelay;

    WAVEFORMATEX output{};
    output.wFormatTag = WAVE_FORMAT_PCM;
    output.nChannels = static_cast<WORD>(first.channels);
    output.nSamplesPerSec = static_cast<DWORD>(first.sampleRate);
    output.wBitsPerSample = 16;
    output.nBlockAlign = static_cast<WORD>(first.channels * 2);
    output.nAvgBytesPerSec = output.nSamplesPerSec * output.nBlockAlign;

    if (acmStreamOpen(&stream, nullptr, &input.wfx, &output, nullptr, 0, 0, 0) != 0) {
        stream = nullptr;
        return false;
    }
    DWORD outputSize = 0;
    if (acmStreamSize(stream, sourceChunk, &outputSize, ACM_STREAMSIZEF_SOURCE) != 0)
        outputSize = 0;
    // Room for what the codec suggests, doubled for variable bit rates, and never less than a
    // few frames of the largest kind.
    const std::size_t frameBytes =
        static_cast<std::size_t>(first.samplesPerFrame) * output.nBlockAlign;
    source.assign(sourceChunk, 0);
    decoded.assign(std::max<std::size_t>(static_cast<std::size_t>(outputSize) * 2, frameBytes * 8),
                   0);
    header = ACMSTREAMHEADER{};
    header.cbStruct = sizeof header;
    header.pbSrc = source.data();
    header.cbSrcLength = static_cast<DWORD>(source.size());
    header.pbDst = decoded.data();
    header.cbDstLength = static_cast<DWORD>(decoded.size());
    if (acmStreamPrepareHeader(stream, &header, 0) != 0) {
        closeStream();
        return false;
    }
    headerPrepared = true;
    return true;
}

void AcmDecoder::closeStream() {
    if (headerPrepared) {
        header.cbSrcLength = static_cast<DWORD>(source.size());
        header.cbDstLength = static_cast<DWORD>(decoded.size());
        acmStreamUnprepareHeader(stream, &header, 0);
        headerPrepared = false;
    }
    if (stream != nullptr) {
        acmStreamClose(stream, 0);
        stream = nullptr;
    }
}

void AcmDecoder::positionAt(std::size_t offset) {
    readPosition = std::min(offset, file.size());
    sourceFill = decodedStart = decodedEnd = 0;
    inputDone = finished = false;
}

// One conversion step: tops the source up from the file and converts what the codec will take.
bool AcmDecoder::convert() {
    if (!inputDone && sourceFill < source.size()) {
        const std::size_t take = std::min(source.size() - sourceFill, file.size() - readPosition);
        if (take == 0) inputDone = true;
        std::memcpy(source.data() + sourceFill, file.data() + readPosition, take);
        readPosition += take;
        sourceFill += take;
    }
    header.cbSrcLength = static_cast<DWORD>(sourceFill);
    header.cbSrcLengthUsed = 0;
    header.cbDstLengthUsed = 0;
    const DWORD flags = inputDone ? ACM_STREAMCONVERTF_END : ACM_STREAMCONVERTF_BLOCKALIGN;
    if (acmStreamConvert(stream, &header, flags) != 0) return false;
    const std::size_t used = std::min<std::size_t>(header.cbSrcLengthUsed, sourceFill);
    std::memmove(source.data(), source.data() + used, sourceFill - used);
    sourceFill -= used;
    decodedStart = 0;
    decodedEnd = std::min<std::size_t>(header.cbDstLengthUsed, decoded.size());
    decodedEnd -= decodedEnd % static_cast<std::size_t>(bytesPerFrame());
    // Nothing taken and nothing given: at the end that is the end, before it the codec is stuck
    // on data it cannot use, unless there is simply too little of it yet.
    if (used == 0 && decodedEnd == 0) return !inputDone && sourceFill < source.size();
    return true;
}

std::size_t AcmDecoder::read(unsigned char* buffer, std::size_t capacity) {
    if (stream == nullptr || buffer == nullptr) return 0;
    capacity -= capacity % static_cast<std::size_t>(bytesPerFrame());
    std::size_t produced = 0;
    while (produced < capacity) {
        if (decodedStart < decodedEnd) {
            const std::size_t take = std::min(capacity - produced, decodedEnd - decodedStart);
            std::memcpy(buffer + produced, decoded.data() + decodedStart, take);
            decodedStart += take;
            produced += take;
            continue;
        }
        if (finished) break;
        if (!convert()) finished = true;
    }
    return produced;
}

std::int64_t AcmDecoder::seekMilliseconds(std::int64_t milliseconds) {
    if (stream == nullptr || milliseconds < 0) return -1;
    const std::uint64_t target =
        audioStart + static_cast<std::uint64_t>(milliseconds) * first.bitRate / 8000;
    if (target >= file.size()) return -1;
    const std::size_t at = static_cast<std::size_t>(target);
    FrameHeader here;
    const long long found =
        findFirstFrame(file.data() + at, std::min(searchWindow, file.size() - at), &here);
    if (found < 0 || here.sampleRate != first.sampleRate || here.channels != first.channels)
        return -1;
    // A fresh codec stream: the old one's bit reservoir belongs to the old position.
    closeStream();
    if (!openStream()) return -1;
    const std::uint64_t frameAt = target + static_cast<std::uint64_t>(found);
    positionAt(static_cast<std::size_t>(frameAt));
    return static_cast<std::int64_t>((frameAt - audioStart) * 8000 / first.bitRate);
}
