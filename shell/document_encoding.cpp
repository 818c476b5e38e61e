// The save's encoding of the editor's text, a large text on two threads.
#include "shell/document_encoding.h"

#include "shell/config_document.h"

#include <atomic>
#include <future>
#include <system_error>
#include <thread>
#include <vector>

namespace {

// A stretch's bytes and the characters it could not hold, made on the helping thread.
struct EncodedStretch {
    std::vector<QByteArray> chunks;
    QString unencodable;
};

// Stretches of about this many characters: a few for a megabyte, so both threads have work from
// the start and the file grows steadily.
constexpr qsizetype kStretch = 512 * 1024;

void addUnencodable(QString& lost, const QString& more) {
    for (const QChar c : more)
        if (!lost.contains(c))
            lost.append(c);
}

} // namespace

DocumentEncoding encodeDocument(const DocumentView& view, const textfile::TextForm& form,
                                const textfile::TextEncoder::Sink& sink) {
    // Stretch i runs from starts[i] to starts[i + 1] (-1: the end). Each begins a line, so no
    // line break or character pair is split between two of them.
    QList<qsizetype> starts = view.lineStartsEvery(kStretch);
    if (starts.size() < 2) {
        textfile::TextEncoder encoder(form, sink);
        encoder.setParagraphBreaks(true);
        view.visitText([&encoder](QStringView run) { encoder.append(run); });
        const bool ok = encoder.finish();
        return {ok, encoder.unencodable()};
    }
    starts.append(-1);
    const qsizetype stretches = starts.size() - 1;
    // The bytes of the later stretches follow the first one's: no byte order mark of their own.
    textfile::TextForm rest = form;
    rest.bom = false;
    auto encodeStretch = [&](qsizetype i, const textfile::TextEncoder::Sink& to) {
        textfile::TextEncoder encoder(i == 0 ? form : rest, to);
        encoder.setParagraphBreaks(true);
        view.visitTextRange(starts[i], starts[i + 1],
                            [&encoder](QStringView run) { encoder.append(run); });
        const bool ok = encoder.finish();
        return std::pair(ok, encoder.unencodable());
    };

    // The helping thread takes the odd stretches, in order, into memory.
    std::vector<std::promise<EncodedStretch>> odd(size_t(stretches / 2));
    std::vector<std::future<EncodedStretch>> oddDone;
    for (auto& promise : odd)
        oddDone.push_back(promise.get_future());
    std::atomic<bool> stop = false;
    auto help = [&] {
        for (size_t k = 0; k < odd.size(); ++k) {
            EncodedStretch stretch;
            if (!stop)
                stretch.unencodable = encodeStretch(qsizetype(2 * k + 1), [&](QByteArrayView b) {
                                          stretch.chunks.emplace_back(b.data(), b.size());
                                          return true;
                                      }).second;
            odd[k].set_value(std::move(stretch));
        }
    };
    std::thread helper;
    try {
        helper = std::thread(help);
    } catch (const std::system_error&) {
        help(); // no thread to be had: the same work, one stretch after another
    }

    DocumentEncoding result;
    for (qsizetype i = 0; i < stretches && result.ok; ++i) {
        if (i % 2 == 0) {
            const auto [ok, lost] = encodeStretch(i, sink);
            result.ok = ok;
            addUnencodable(result.unencodable, lost);
            continue;
        }
        const EncodedStretch stretch = oddDone[size_t(i / 2)].get();
        for (const QByteArray& chunk : stretch.chunks)
            result.ok = result.ok && sink(chunk);
        addUnencodable(result.unencodable, stretch.unencodable);
    }
    stop = true;
    if (helper.joinable())
        helper.join();
    return result;
}
