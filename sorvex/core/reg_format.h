// The .reg text regedit exports, read into a tree of keys and written back; no files, no locks.
#pragma once

#include "reg_text.h"
#include "registry_types.h"

#include <algorithm>
#include <cstddef>
#include <map>
#include <string>
#include <string_view>

namespace sorvex::regfile {

// A store of three characters is about a kilobyte; a file past these limits is not ours to read.
inline constexpr std::size_t maxFileBytes = 8u << 20;
// All key paths together, parents included, that one file may make us hold.
inline constexpr std::size_t maxKeyBytes = 32u << 20;
// A longer line, or a deeper key, is damage: left out like any other part not understood.
inline constexpr std::size_t maxLineBytes = 1u << 20;
inline constexpr std::size_t maxKeyDepth = 64;
// What is written must read back: a quoted value, escaped, stays on a line within the limit (longer data
// is written on continued lines), and a save that would pass the file limit is refused. A longer name, like
// a key path longer than half a line, is left out on reading, as it could not be written back.
inline constexpr std::size_t maxValueBytes = 256u << 10;
inline constexpr std::size_t maxValueNameBytes = 16383;

struct CaseLess {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const
    {
        const std::size_t n = std::min(a.size(), b.size());
        for (std::size_t i = 0; i < n; ++i) {
            if (a[i] == b[i])
                continue;
            const unsigned char x = foldCase(a[i]);
            const unsigned char y = foldCase(b[i]);
            if (x != y)
                return x < y;
        }
        return a.size() < b.size();
    }
};

struct Value {
    DWORD type = REG_NONE;
    std::string data;
    bool operator==(const Value&) const = default;
};

struct Key {
    std::string path;  // as first spelled
    std::map<std::string, Value, CaseLess> values;
    bool operator==(const Key&) const = default;
};

using Tree = std::map<std::string, Key, CaseLess>;

std::size_t keyDepth(std::string_view path);
// Within the depth limit, and short enough that its line is written within the line limit.
bool keyPathFits(std::string_view path);

// The key at path, made with the parents it lacks; made grows by the bytes of the paths made.
Key& ensureWithParents(Tree& tree, const std::string& path, std::size_t& made);

// damaged: parts of the text were not understood, or were past the limits above, and were left out.
// overCap: the text is too large to be a store; nothing of it is used then.
// What parseTree accepts, writeTree writes so that it reads back the same and undamaged. With a limit, writing
// stops soon after the text has grown past it.
Tree parseTree(const std::string& raw, bool& damaged, bool& overCap);
std::string writeTree(const Tree& tree, std::size_t limit = std::string::npos);

// The text of a .reg file holding the given file's key tree, as it would be written; for tests and fuzzing.
std::string parseAndWrite(const std::string& bytes, bool* damaged);

}  // namespace sorvex::regfile
