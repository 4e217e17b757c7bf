#pragma once

#include <filesystem>
#include <string>

// Schema validation of written SEPA files with libxml2, against ../shared/schemas.
namespace dtaxml {

// True when the file is well-formed and valid against the named schema.
bool validates(const std::filesystem::path& xml, const std::string& schemaFile);

std::string contents(const std::filesystem::path& file);

} // namespace dtaxml
