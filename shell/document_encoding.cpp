// The save's encoding of the editor's text, in two halves on two threads for a large text.
#include "shell/document_encoding.h"

#include "shell/config_document.h"

#include <future>
#include <system_error>
#include <vector>

DocumentEncoding encodeDocument(const DocumentView& view, const textfile::TextForm& form,
                                const textfile::TextEncoder::Sink& sink) {
    const qsizetype middle = view.textMiddleLineStart();
    textfile::TextEncoder first(form, sink);
    first.setParagraphBreaks(true);
    if (middle <= 0) {
        view.visitText([&first](QStringView run) { first.append(run); });
        const bool ok = first.finish();
        return {ok, first.unencodable()};
    }
    // The second half starts a line, so no line break or character pair is split between the
    // halves; its bytes follow the first half's (no byte order mark of their own).
    textfile::TextForm rest = form;
    rest.bom = false;
    auto encodeSecondHalf = [&view, rest, middle] {
        std::vector<QByteArray> chunks;
        textfile::TextEncoder second(rest, [&chunks](QByteArrayView bytes) {
            chunks.emplace_back(bytes.data(), bytes.size());
            return true;
        });
        second.setParagraphBreaks(true);
        view.visitTextRange(middle, -1, [&second](QStringView run) { second.append(run); });
        second.finish();
        return std::pair(std::move(chunks), second.unencodable());
    };
    std::future<std::pair<std::vector<QByteArray>, QString>> secondHalf;
    try {
        secondHalf = std::async(std::launch::async, encodeSecondHalf);
    } catch (const std::system_error&) {
        secondHalf = std::async(std::launch::deferred, encodeSecondHalf); // no thread to be had
    }
    view.visitTextRange(0, middle, [&first](QStringView run) { first.append(run); });
    bool ok = first.finish();
    const auto [chunks, secondLost] = secondHalf.get();
    for (const QByteArray& chunk : chunks)
        ok = ok && sink(chunk);
    QString lost = first.unencodable();
    for (const QChar c : secondLost)
        if (!lost.contains(c))
            lost.append(c);
    return {ok, lost};
}
