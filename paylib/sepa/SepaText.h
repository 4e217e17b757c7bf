#pragma once

#include <string>
#include <string_view>

namespace paylib {

// Texts of a SEPA file. The character set is the EPC basic set (letters, digits, blank and
// / - ? : ( ) . , ' +) plus the German letters Ä Ö Ü ä ö ü ß, which German banks accept.
// Accented Latin letters are written as their base letter; any other character is refused.
class SepaText {
public:
    // The text (Windows-1252) in the SEPA character set, still Windows-1252; false when a
    // character has no place in it.
    static bool toSepa(std::string_view text, std::string& sepa);

    // A name: trimmed, in the SEPA character set, 1 to 70 characters.
    static bool name(std::string_view text, std::string& name);

    // An identifier (message id, references, mandate reference): 1 to 35 characters of the
    // basic set, not starting or ending with "/" and without "//"; blanks only if allowed.
    static bool isIdentifier(std::string_view text, bool blanksAllowed);

    // Windows-1252 text as UTF-8 with the XML markup characters escaped.
    static std::string xml(std::string_view text);
};

} // namespace paylib
