#pragma once

#include <string>
#include <string_view>

namespace ostrellix::addin {

// The fixed pieces of HTML the record-detail mails are made of. Every
// block sets its font inline, since the mail is edited and forwarded by
// programs that drop style sheets.
class DetailHtml {
public:
    static std::string Block(std::string_view content);
    static std::string Paragraph(std::string_view content);
    // The paragraph opened only: its text is followed by the caller's own ending.
    static std::string ParagraphStart();
    static std::string RecordLink(std::string_view link, std::string_view description);
    static std::string LinkListEntry(std::string_view link, std::string_view description, std::string_view className);
    static std::string RelatedLink(std::string_view link, std::string_view description);
    // "<B>label</B>" once, then each value: ": " before the first, ", " before the others.
    static std::string LabelStart(std::string_view label);
    static std::string LabelValue(std::string_view value, bool first);
    static std::string Quote(std::string_view text);
    static std::string LinkSection(std::string_view label, std::string_view links);

    // The lines of the all-details mail.
    static std::string FieldLine(std::string_view label, std::string_view value);
    static std::string WebLink(std::string_view address);
    static std::string MailLink(std::string_view address);
    static std::string Heading(std::string_view name, bool related);
};

}  // namespace ostrellix::addin
