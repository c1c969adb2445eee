// Writing and reading a typical mail with a 1 MB attachment, as the add-in
// does when it files a mail in Kelo (SaveAs) and opens it again.
#include <benchmark/benchmark.h>

#include <random>

#include "standins/message/EmlReader.h"
#include "standins/message/MsgReader.h"
#include "standins/message/MsgWriter.h"

namespace ostrellix::standin::message {
namespace {

MessageData TypicalMailWithAttachment() {
    MessageData mail;
    PropertyBag& p = mail.properties;
    p.Set(tag::PR_MESSAGE_CLASS, Variant("IPM.Note"));
    p.Set(tag::PR_SUBJECT, Variant("Offert på kontorsstolar"));
    std::string body;
    for (int i = 0; i < 200; ++i) body += "Rad " + std::to_string(i) + " i brevet om stolarna.\r\n";
    p.Set(tag::PR_BODY, Variant(body));
    const std::string html = "<html><body>" + body + "</body></html>";
    p.Set(tag::PR_HTML, Variant(Bytes(html.begin(), html.end())));
    p.Set(tag::PR_SENDER_NAME, Variant("Per Öberg"));
    p.Set(tag::PR_SENDER_EMAIL_ADDRESS, Variant("per@example.se"));
    p.Set(tag::PR_CLIENT_SUBMIT_TIME, Variant(Date::FromParts(2024, 3, 14, 9, 26, 53)));
    p.SetNamed({PublicStrings(), std::string("KeloID")}, {pt::Unicode, Variant("Document:4711")});
    for (int i = 0; i < 3; ++i) {
        RecipientData r;
        r.properties.Set(tag::PR_DISPLAY_NAME, Variant("Mottagare " + std::to_string(i)));
        r.properties.Set(tag::PR_EMAIL_ADDRESS, Variant("m" + std::to_string(i) + "@example.se"));
        r.properties.Set(tag::PR_RECIPIENT_TYPE, Variant(MAPI_TO));
        mail.recipients.push_back(r);
    }
    std::mt19937 random(1);
    Bytes data(1 << 20);
    for (auto& b : data) b = static_cast<std::uint8_t>(random());
    AttachmentData attachment;
    attachment.properties.Set(tag::PR_ATTACH_METHOD, Variant(ATTACH_BY_VALUE));
    attachment.properties.Set(tag::PR_ATTACH_LONG_FILENAME, Variant("offert.pdf"));
    attachment.properties.Set(tag::PR_ATTACH_DATA_BIN, Variant(std::move(data)));
    mail.attachments.push_back(attachment);
    return mail;
}

void BM_WriteMsg(benchmark::State& state) {
    const MessageData mail = TypicalMailWithAttachment();
    for (auto _ : state) benchmark::DoNotOptimize(MsgWriter::Write(mail));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * (1 << 20));
}
BENCHMARK(BM_WriteMsg)->Unit(benchmark::kMillisecond);

void BM_ReadMsg(benchmark::State& state) {
    const auto bytes = MsgWriter::Write(TypicalMailWithAttachment());
    for (auto _ : state) benchmark::DoNotOptimize(MsgReader().Read(bytes, "bench.msg"));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(BM_ReadMsg)->Unit(benchmark::kMillisecond);

void BM_WriteMsgFile(benchmark::State& state) {
    const MessageData mail = TypicalMailWithAttachment();
    const auto path = std::filesystem::temp_directory_path() / "ostrellix-bench.msg";
    for (auto _ : state) MsgWriter::WriteFile(mail, path);
    std::filesystem::remove(path);
}
BENCHMARK(BM_WriteMsgFile)->Unit(benchmark::kMillisecond);

void BM_ReadEml(benchmark::State& state) {
    std::string eml =
        "From: Per <per@example.se>\r\nTo: a@example.se\r\nSubject: Offert\r\nMIME-Version: 1.0\r\n"
        "Content-Type: multipart/mixed; boundary=\"m\"\r\n\r\n--m\r\nContent-Type: text/plain\r\n\r\nHej\r\n"
        "--m\r\nContent-Type: application/pdf\r\nContent-Transfer-Encoding: base64\r\n"
        "Content-Disposition: attachment; filename=\"offert.pdf\"\r\n\r\n";
    for (int line = 0; line < (1 << 20) / 57; ++line) eml += std::string(76, 'A') + "\r\n";
    eml += "--m--\r\n";
    const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(eml.data()), eml.size());
    for (auto _ : state) benchmark::DoNotOptimize(EmlReader().Read(bytes, "bench.eml"));
}
BENCHMARK(BM_ReadEml)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace ostrellix::standin::message
