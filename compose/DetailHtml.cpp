#include "compose/DetailHtml.h"

namespace ostrellix::addin {

namespace {

std::string Join(std::initializer_list<std::string_view> parts) {
    std::string joined;
    for (const std::string_view part : parts) joined += part;
    return joined;
}

constexpr std::string_view kBlockStart = "<div style=\"font-family:calibri,verdana;font-size:11pt\">";
constexpr std::string_view kParagraphStart = "<p style=\"font-family:calibri,verdana;font-size:11pt\">";

}  // namespace

std::string DetailHtml::Block(std::string_view content) { return Join({kBlockStart, content, "</div>"}); }

std::string DetailHtml::Paragraph(std::string_view content) { return Join({kParagraphStart, content, "</p>"}); }

std::string DetailHtml::ParagraphStart() { return std::string(kParagraphStart); }

std::string DetailHtml::RecordLink(std::string_view link, std::string_view description) {
    return Join({"<A HREF='", link, "'>", description, "</A>"});
}

std::string DetailHtml::LinkListEntry(std::string_view link, std::string_view description,
                                      std::string_view className) {
    return Join({"<A HREF='", link, "'>", description, "</A> - ", className});
}

std::string DetailHtml::RelatedLink(std::string_view link, std::string_view description) {
    return Join({" (", "<A HREF='", link, "'>", description, "</A>)"});
}

std::string DetailHtml::LabelStart(std::string_view label) { return Join({"<B>", label, "</B>"}); }

std::string DetailHtml::LabelValue(std::string_view value, bool first) {
    return Join({first ? ": <span>" : ", <span>", value, "</span>"});
}

std::string DetailHtml::Quote(std::string_view text) {
    return Join({"<BLOCKQUOTE>", kParagraphStart, text, "</p></BLOCKQUOTE>"});
}

std::string DetailHtml::LinkSection(std::string_view label, std::string_view links) {
    return Join({"<p>", "<div style=\"font-family:calibri,verdana;font-size:11pt;color:green\">", label, ":</div>",
                 links, "</p>"});
}

std::string DetailHtml::FieldLine(std::string_view label, std::string_view value) {
    return Join({"<div style=\"font-family:calibri,verdana;font-size:11pt\"><span style=\"font-family:calibri,verdana;"
                 "color:gray\">",
                 label, ": </span><span style=\"font-family:calibri,verdana\">", value, "</span></div>"});
}

std::string DetailHtml::WebLink(std::string_view address) {
    return Join({"<a href='", address, "'>", address, "</a>"});
}

std::string DetailHtml::MailLink(std::string_view address) {
    return Join({"<a href='mailto:", address, "'>", address, "</a>"});
}

std::string DetailHtml::Heading(std::string_view name, bool related) {
    return Join({related ? "<div style=\"font-family:calibri,verdana;font-size:11pt;color:gray\">" : kBlockStart, "<B>",
                 name, "</B></div>"});
}

}  // namespace ostrellix::addin
