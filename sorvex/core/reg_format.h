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

// A store of three characters is about a kilobyte; files past these limits are not ours to read.
inline constexpr std::size_t maxFileBytes = 8u << 20;
inline constexpr std::size_t maxLineBytes = 1u << 20;
// What is written must read back: a quoted value, escaped, stays on a line within the limit (longer
// binary data is written on continued lines), and a save that would pass the file limit is refused.
inline constexpr std::size_t maxValueBytes = 256u << 10;
inline constexpr std::size_t maxValueNameBytes = 16383;
inline constexpr std::size_t maxKeyDepth = 64;
// All key paths together, parents included, that one file may make us hold.
inline constexpr std::size_t maxKeyBytes = 32u << 20;

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
};

using Tree = std::map<std::string, Key, CaseLess>;

std::size_t keyDepth(std::string_view path);

// The key at path, made with the parents it lacks; made grows by the bytes of the paths made.
Key& ensureWithParents(Tree& tree, const std::string& path, std::size_t& made);

// damaged: parts of the text were not understood and left out. overCap: the text is too large or too
// deep to be a store; nothing of it is used then.
Tree parseTree(const std::string& raw, bool& damaged, bool& overCap);
std::string writeTree(const Tree& tree);

// The text of a .reg file holding the given file's key tree, as it would be written; for tests and fuzzing.
std::string parseAndWrite(const std::string& bytes, bool* damaged);

}  // namespace sorvex::regfile
