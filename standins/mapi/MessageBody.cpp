#include "standins/mapi/MessageBody.h"

#include "contracts/outlook/Constants.h"
#include "standins/mapi/RtfText.h"
#include "standins/message/CompressedRtf.h"
#include "standins/message/MessageFileLimits.h"
#include "standins/message/PropertyTag.h"
#include "standins/outlook/BodyText.h"
#include "standins/outlook/MapiNames.h"

namespace ostrellix::standin::mapi {

namespace {

namespace tag = msg::tag;

// Tells a store that the RTF body matches the plain one.
constexpr std::uint32_t PR_RTF_IN_SYNC = 0x0E1F000B;

void SetNative(msg::PropertyBag& bag, std::int32_t native) {
    bag.Set(names::tag::PR_NATIVE_BODY_INFO, Variant(static_cast<int>(native)));
}

}  // namespace

std::int32_t MessageBody::Format(const msg::PropertyBag& bag) {
    const Variant native = bag.GetValue(names::tag::PR_NATIVE_BODY_INFO);
    std::int32_t value = names::NativeBodyPlain;
    if (!native.IsEmpty()) {
        value = native.ToLong();
    } else if (bag.Get(tag::PR_BODY_HTML)) {
        value = names::NativeBodyHtml;
    } else if (bag.Get(tag::PR_RTF_COMPRESSED)) {
        value = names::NativeBodyRtf;
    }
    if (value == names::NativeBodyHtml) return ol::olFormatHTML;
    if (value == names::NativeBodyRtf) return ol::olFormatRichText;
    return ol::olFormatPlain;
}

std::string MessageBody::Plain(const msg::PropertyBag& bag) {
    if (const Variant body = bag.GetValue(tag::PR_BODY); !body.IsEmpty()) return body.ToString();
    if (bag.Get(tag::PR_RTF_COMPRESSED)) return RtfText::ToPlain(Rtf(bag));
    if (bag.Get(tag::PR_BODY_HTML)) return outlook::BodyText::FromHtml(Html(bag));
    return {};
}

std::string MessageBody::Html(const msg::PropertyBag& bag) {
    if (auto html = outlook::BodyText::StoredHtml(bag)) return std::move(*html);
    return outlook::BodyText::ToHtml(Plain(bag));
}

std::string MessageBody::Rtf(const msg::PropertyBag& bag) {
    const Variant compressed = bag.GetValue(tag::PR_RTF_COMPRESSED);
    if (compressed.IsEmpty()) return RtfText::FromPlain(Plain(bag));
    return msg::CompressedRtf::Decompress(compressed.ToBytes(), msg::MessageFileLimits{}.maxRtfBytes);
}

void MessageBody::SetPlain(msg::PropertyBag& bag, std::string_view text) {
    const std::int32_t format = Format(bag);
    bag.Set(tag::PR_BODY, Variant(text));
    if (format == ol::olFormatHTML) bag.Set(tag::PR_BODY_HTML, Variant(outlook::BodyText::ToHtml(text)));
    if (format == ol::olFormatRichText) {
        bag.Set(tag::PR_RTF_COMPRESSED, Variant(msg::CompressedRtf::Compress(RtfText::FromPlain(text))));
        bag.Set(PR_RTF_IN_SYNC, Variant(true));
    } else {
        bag.Remove(tag::PR_RTF_COMPRESSED);
    }
}

void MessageBody::SetHtml(msg::PropertyBag& bag, std::string_view html) {
    bag.Set(tag::PR_BODY_HTML, Variant(html));
    bag.Set(tag::PR_BODY, Variant(outlook::BodyText::FromHtml(html)));
    bag.Remove(tag::PR_RTF_COMPRESSED);
    SetNative(bag, names::NativeBodyHtml);
}

void MessageBody::SetRtf(msg::PropertyBag& bag, std::string_view rtf) {
    bag.Set(tag::PR_RTF_COMPRESSED, Variant(msg::CompressedRtf::Compress(rtf)));
    bag.Set(PR_RTF_IN_SYNC, Variant(true));
    bag.Set(tag::PR_BODY, Variant(RtfText::ToPlain(rtf)));
    bag.Remove(tag::PR_BODY_HTML);
    SetNative(bag, names::NativeBodyRtf);
}

void MessageBody::HtmlAsText(msg::MessageData& message) {
    const Variant html = message.properties.GetValue(tag::PR_BODY_HTML);
    if (html.VarType() == Variant::Type::ByteArray) message.properties.Set(tag::PR_BODY_HTML, Variant(Html(message.properties)));
    for (msg::AttachmentData& attachment : message.attachments) {
        if (!attachment.embedded) continue;
        // Embedded messages may be shared with other copies: change a copy of our own.
        auto embedded = std::make_shared<msg::MessageData>(*attachment.embedded);
        HtmlAsText(*embedded);
        attachment.embedded = std::move(embedded);
    }
}

}  // namespace ostrellix::standin::mapi
