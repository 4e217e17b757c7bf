#include "tests/paylib/SchemaCheck.h"

#include <libxml/parser.h>
#include <libxml/xmlschemas.h>

#include <array>
#include <cstdarg>
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>

namespace schemacheck {
namespace {

namespace fs = std::filesystem;

void collect(void* context, const char* format, ...) {
    std::array<char, 1024> text{};
    va_list args;
    va_start(args, format);
    std::vsnprintf(text.data(), text.size(), format, args);
    va_end(args);
    *static_cast<std::string*>(context) += text.data();
}

} // namespace

std::string errors(const fs::path& xml, const std::string& schemaFile) {
    std::string messages;
    const std::string schemaPath = (fs::path(ZALVO_SCHEMAS) / schemaFile).string();
    std::unique_ptr<xmlSchemaParserCtxt, void (*)(xmlSchemaParserCtxtPtr)> parser(
        xmlSchemaNewParserCtxt(schemaPath.c_str()), xmlSchemaFreeParserCtxt);
    if (!parser)
        return "schema parser not created for " + schemaPath;
    std::unique_ptr<xmlSchema, void (*)(xmlSchemaPtr)> schema(xmlSchemaParse(parser.get()),
                                                              xmlSchemaFree);
    if (!schema)
        return "schema not readable: " + schemaPath;
    std::unique_ptr<xmlSchemaValidCtxt, void (*)(xmlSchemaValidCtxtPtr)> validator(
        xmlSchemaNewValidCtxt(schema.get()), xmlSchemaFreeValidCtxt);
    if (!validator)
        return "schema validator not created for " + schemaPath;
    xmlSchemaSetValidErrors(validator.get(), collect, collect, &messages);
    const int outcome = xmlSchemaValidateFile(validator.get(), xml.string().c_str(), 0);
    if (outcome != 0 && messages.empty())
        messages = "validation failed with " + std::to_string(outcome);
    return messages;
}

std::string contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

} // namespace schemacheck
