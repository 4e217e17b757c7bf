#pragma once

#include <filesystem>
#include <string>

// Schema validation of written SEPA files with libxml2, against the ISO 20022 schemas
// in tests/data/schemas.
namespace dtaxml {

// True when the file is well-formed and valid against the named schema.
bool validates(const std::filesystem::path& xml, const std::string& schemaFile);

std::string contents(const std::filesystem::path& file);

} // namespace dtaxml
