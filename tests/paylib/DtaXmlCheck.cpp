#include "tests/paylib/DtaXmlCheck.h"

#include <libxml/parser.h>
#include <libxml/xmlschemas.h>

#include <fstream>
#include <memory>
#include <sstream>

namespace dtaxml {
namespace {

struct SchemaParserFree {
    void operator()(xmlSchemaParserCtxtPtr p) const { xmlSchemaFreeParserCtxt(p); }
};
struct SchemaFree {
    void operator()(xmlSchemaPtr p) const { xmlSchemaFree(p); }
};
struct ValidFree {
    void operator()(xmlSchemaValidCtxtPtr p) const { xmlSchemaFreeValidCtxt(p); }
};

} // namespace

bool validates(const std::filesystem::path& xml, const std::string& schemaFile) {
    const std::string schemaPath = (std::filesystem::path(ZALVO_SCHEMAS) / schemaFile).string();
    std::unique_ptr<xmlSchemaParserCtxt, SchemaParserFree> parser(
        xmlSchemaNewParserCtxt(schemaPath.c_str()));
    if (!parser) {
        return false;
    }
    std::unique_ptr<xmlSchema, SchemaFree> schema(xmlSchemaParse(parser.get()));
    if (!schema) {
        return false;
    }
    std::unique_ptr<xmlSchemaValidCtxt, ValidFree> valid(xmlSchemaNewValidCtxt(schema.get()));
    return valid && xmlSchemaValidateFile(valid.get(), xml.string().c_str(), 0) == 0;
}

std::string contents(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

} // namespace dtaxml
