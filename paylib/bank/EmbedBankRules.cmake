# Writes OUTPUT, a C++ source holding the bank table of INPUT (data/bank-rules.tsv: bank code,
# IBAN rule, BIC, check method, rule of the previous year, name; UTF-8, tab-separated, "#"
# comments) as the library's embedded bank data, valid from VALID_FROM (YYYYMMDD).
# Called at build time: cmake -DINPUT=... -DOUTPUT=... -DVALID_FROM=... -P EmbedBankRules.cmake
cmake_policy(SET CMP0007 NEW)
file(READ "${INPUT}" content)
# Keep list separators and brackets out of CMake's list handling.
string(REPLACE ";" "@SEMICOLON@" content "${content}")
string(REPLACE "[" "@OPEN@" content "${content}")
string(REPLACE "]" "@CLOSE@" content "${content}")
string(REPLACE "\r" "" content "${content}")
string(REPLACE "\n" ";" lines "${content}")

set(rows "")
set(count 0)
set(lineNumber 0)
foreach(line IN LISTS lines)
    math(EXPR lineNumber "${lineNumber} + 1")
    if(line STREQUAL "" OR line MATCHES "^#" OR line MATCHES "^bank_code\t")
        continue()
    endif()
    string(REPLACE "\t" ";" fields "${line}")
    list(LENGTH fields fieldCount)
    if(NOT fieldCount EQUAL 6)
        message(FATAL_ERROR "${INPUT}:${lineNumber}: 6 tab-separated fields expected")
    endif()
    list(GET fields 0 bankCode)
    list(GET fields 1 rule)
    list(GET fields 2 bic)
    list(GET fields 3 method)
    list(GET fields 5 name)
    if(NOT bankCode MATCHES "^[0-9][0-9][0-9][0-9][0-9][0-9][0-9][0-9]$"
       OR NOT rule MATCHES "^[0-9][0-9][0-9][0-9][0-9][0-9]$"
       OR NOT bic MATCHES "^([A-Z0-9][A-Z0-9][A-Z0-9][A-Z0-9][A-Z][A-Z][A-Z0-9][A-Z0-9]([A-Z0-9][A-Z0-9][A-Z0-9])?)?$"
       OR NOT method MATCHES "^([0-9A-Z][0-9])?$")
        message(FATAL_ERROR "${INPUT}:${lineNumber}: bank code, rule, BIC or check method malformed")
    endif()
    string(REPLACE "\\" "\\\\" name "${name}")
    string(REPLACE "\"" "\\\"" name "${name}")
    string(REPLACE "@SEMICOLON@" ";" name "${name}")
    string(REPLACE "@OPEN@" "[" name "${name}")
    string(REPLACE "@CLOSE@" "]" name "${name}")
    string(APPEND rows "    {\"${bankCode}\", \"${rule}\", \"${bic}\", \"${method}\", \"${name}\"},\n")
    math(EXPR count "${count} + 1")
endforeach()
if(count EQUAL 0)
    message(FATAL_ERROR "${INPUT}: no banks")
endif()

file(WRITE "${OUTPUT}"
"// Generated from ${INPUT} by EmbedBankRules.cmake; do not edit.
#include \"paylib/bank/EmbeddedBankData.h\"

namespace paylib {
namespace {

// ${count} bank codes; names in UTF-8.
constexpr EmbeddedBank kBanks[] = {
${rows}};

} // namespace

std::span<const EmbeddedBank> embeddedBanks() {
    return kBanks;
}

std::string_view embeddedBankDataDate() {
    return \"${VALID_FROM}\";
}

} // namespace paylib
")
