#pragma once

#include "abi/EntryPoints.h"
#include "abi/RecordLayouts.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zalvo::calllog {

// How the bytes of a field are shown and compared.
enum class FieldKind {
    Text,  // zero-terminated Windows-1252 text
    Path,  // text naming a file or folder; replay rewrites its prefix
    Int32, // signed 32-bit integer in native byte order
    Bytes, // bytes the front end leaves to the library
};

// One named field of a record or buffer. Names are German UTF-8.
struct FieldLayout {
    std::string_view name;
    Field field;
    FieldKind kind;
};

// One argument of an entry point: a record or buffer with its fields, or an integer.
struct ArgumentLayout {
    std::string_view name;
    bool isBuffer;
    // Contract size of a buffer; 0 where the next integer argument gives it (GetDTAProtokoll).
    std::size_t size;
    std::span<const FieldLayout> fields;
};

// A field as shown: its layout's fields and, between them, the bytes no layout names.
struct ShownField {
    std::string name;
    Field field;
    FieldKind kind;
};

// The argument layouts of every entry point, in argument order.
class ArgumentLayouts {
public:
    static std::span<const ArgumentLayout> of(EntryPoint entry);
    // The entry point of an exported name, exactly as exported.
    static std::optional<EntryPoint> entryPointNamed(std::string_view name);
    // The fields of a buffer of `size` bytes: named ones, the unnamed stretches between them
    // as Bytes, and one whole-buffer text where the layout names nothing.
    static std::vector<ShownField> shownFields(const ArgumentLayout& layout, std::size_t size);
};

} // namespace zalvo::calllog
