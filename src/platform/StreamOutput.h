#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <streambuf>
#include <string>

namespace tarnwick::platform {

// An output written straight through instead of replaced: a pipe, a device or a socket, or a
// descriptor this program holds (standard output, or one named /dev/stdout or /dev/fd/N). No
// temporary file can be renamed over such a target, and its reader takes the bytes as they
// come, as from a shell's redirection.
class StreamOutput {
  public:
    // Standard output.
    static StreamOutput standardOutput();
    // The stream `path` names, or nothing when it names a regular file, a folder or nothing yet.
    static std::optional<StreamOutput> named(const std::string& path);

    bool isTerminal() const;
    // All of `data`; a write taken in part is carried on. Returns false with the system's
    // reason in reason(), and whether the stream could not even be opened in notOpened().
    bool write(std::span<const std::uint8_t> data);

    const std::string& reason() const { return reason_; }
    bool notOpened() const { return notOpened_; }

  private:
    StreamOutput(int descriptor, std::string path)
        : descriptor_(descriptor), path_(std::move(path)) {}

    int descriptor_ = -1;  // held by the program, never closed here; or -1 to open `path_`
    std::string path_;
    std::string reason_;
    bool notOpened_ = false;
};

// A std::ostream's buffer that writes through a StreamOutput in blocks and keeps the system's
// reason when a block could not be written, so that a program can tell at its end why its text
// output failed; a stream over it then has its badbit set.
class StreamOutputBuffer : public std::streambuf {
  public:
    explicit StreamOutputBuffer(StreamOutput output);
    ~StreamOutputBuffer() override;
    StreamOutputBuffer(const StreamOutputBuffer&) = delete;
    StreamOutputBuffer& operator=(const StreamOutputBuffer&) = delete;

    // Empty while every block has been written.
    const std::string& reason() const { return output_.reason(); }

  protected:
    int_type overflow(int_type next) override;
    int sync() override;

  private:
    bool writePending();

    StreamOutput output_;
    char block_[16384];
    bool failed_ = false;
};

}  // namespace tarnwick::platform
