#pragma once

#include <filesystem>
#include <string>

#include "standins/message/MessageData.h"

namespace ostrellix::standin::message::testing {

// A mail as the store holds one: Unicode and 8-bit text, numbers, dates,
// binary, a multi-valued property, user and numeric named properties, three
// kinds of recipients, a file attachment and an attached mail.
MessageData TypicalMail();

// A mail whose attachment holds a mail whose attachment holds a mail ...
// `depth` levels down.
MessageData NestedMail(int depth);

Bytes SomeBytes(std::size_t size, unsigned seed);

std::filesystem::path DataFile(const std::string& name);

// A fresh directory, removed with everything in it at the end of the test.
class TempDir {
public:
    TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    ~TempDir();
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

// Runs a command; its standard output, and whether it exited with 0.
struct CommandResult {
    bool ok;
    std::string output;
};
CommandResult RunCommand(const std::string& command);

}  // namespace ostrellix::standin::message::testing
