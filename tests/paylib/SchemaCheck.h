#pragma once

#include <filesystem>
#include <string>

// Schema validation of written SEPA files with libxml2, against the ISO 20022 schemas
// in tests/data/schemas.
namespace schemacheck {

// Empty when the file is well-formed and valid against the named schema, else the
// validator's messages.
std::string errors(const std::filesystem::path& xml, const std::string& schemaFile);

inline bool validates(const std::filesystem::path& xml, const std::string& schemaFile) {
    return errors(xml, schemaFile).empty();
}

std::string contents(const std::filesystem::path& file);

} // namespace schemacheck
