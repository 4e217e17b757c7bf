# Writes OUTPUT, a C++ source holding the bytes of INPUT as the embedded bank-code table.
# Called at build time: cmake -DINPUT=... -DOUTPUT=... -DVALID_FROM=YYYYMMDD -P EmbedFile.cmake
file(READ "${INPUT}" hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" bytes "${bytes}")
string(LENGTH "${hex}" hexLength)
math(EXPR size "${hexLength} / 2")
file(WRITE "${OUTPUT}.tmp"
"// Generated from ${INPUT}; do not edit.
#include \"paylib/bank/EmbeddedBankFile.h\"

namespace paylib {
namespace {
const unsigned char kBytes[${size} + 1] = {
${bytes}
0};
} // namespace

std::string_view embeddedBankFile() {
    return {reinterpret_cast<const char*>(kBytes), ${size}};
}

std::string_view embeddedBankFileDate() {
    return \"${VALID_FROM}\";
}

} // namespace paylib
")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
