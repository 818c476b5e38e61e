// The save's encoding of the editor's text, a large text on two threads.
#include "shell/document_encoding.h"

#include "platform/encoded_lines.h"
#include "platform/side_thread.h"
#include "shell/document_view.h"

#include <atomic>
#include <chrono>
#include <future>
#include <memory>
#include <system_error>
#include <vector>

namespace {

// A stretch's bytes and the characters it could not hold, made into memory.
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

static DocumentEncoding encodeWholeText(const DocumentView& view, const textfile::TextForm& form,
                                        const textfile::TextEncoder::Sink& to,
                                        qsizetype twoThreadsFrom);

DocumentEncoding encodeDocument(const DocumentView& view, const textfile::TextForm& form,
                                const textfile::TextEncoder::Sink& sink, qsizetype twoThreadsFrom) {
    EncodedLines* lines = sink ? view.encodedLines() : nullptr;
    if (!lines)
        return encodeWholeText(view, form, sink, twoThreadsFrom);
    if (lines->holds(form))
        if (const std::optional<EncodedLines::Written> written = lines->write(sink))
            return {written->ok, written->unencodable};

    // The bytes are kept as they go out, for the next save to take the lines not edited since.
    QByteArray all;
    all.reserve(view.textLength() + view.textLength() / 8 + 16);
    DocumentEncoding encoded = encodeWholeText(
        view, form,
        [&](QByteArrayView bytes) {
            all.append(bytes);
            return sink(bytes);
        },
        twoThreadsFrom);
    if (encoded.ok && encoded.unencodable.isEmpty())
        lines->keepWritten(all, form);
    else
        lines->forget();
    return encoded;
}

static DocumentEncoding encodeWholeText(const DocumentView& view, const textfile::TextForm& form,
                                        const textfile::TextEncoder::Sink& to,
                                        qsizetype twoThreadsFrom) {
    // Without a sink only the characters are wanted: no stretch keeps its bytes.
    const bool keepBytes = bool(to);
    const textfile::TextEncoder::Sink sink = keepBytes ? to : [](QByteArrayView) { return true; };
    // Stretch i runs from starts[i] to starts[i + 1] (-1: the end). Each begins a line, so no
    // line break or character pair is split between two of them.
    QList<qsizetype> starts;
    if (view.textLength() >= twoThreadsFrom)
        starts = view.lineStartsEvery(kStretch);
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
    auto encodeStretch = [&](qsizetype i, const textfile::TextEncoder::Sink& into) {
        textfile::TextEncoder encoder(i == 0 ? form : rest, into);
        encoder.setParagraphBreaks(true);
        view.visitTextRange(starts[i], starts[i + 1],
                            [&encoder](QStringView run) { encoder.append(run); });
        const bool ok = encoder.finish();
        return std::pair(ok, encoder.unencodable());
    };

    // Each thread takes the next stretch nobody has taken yet. The helping thread encodes its
    // stretches into memory; this thread writes every stretch in order, encoding its own
    // straight into the file when all before it are out, so neither waits on a slower other.
    std::vector<std::promise<EncodedStretch>> encoded(static_cast<size_t>(stretches));
    std::vector<std::future<EncodedStretch>> done;
    for (auto& promise : encoded)
        done.push_back(promise.get_future());
    // This thread starts the file with the first stretch while the helping thread starts on
    // the second.
    std::atomic<qsizetype> next = 1;
    std::atomic<bool> stop = false;
    auto intoMemory = [&](qsizetype i) {
        EncodedStretch stretch;
        stretch.unencodable = encodeStretch(i, [&stretch, keepBytes](QByteArrayView b) {
                                  if (keepBytes)
                                      stretch.chunks.emplace_back(b.data(), b.size());
                                  return true;
                              }).second;
        encoded[size_t(i)].set_value(std::move(stretch));
    };
    std::unique_ptr<SideThread> helper;
    try {
        helper = std::make_unique<SideThread>([&] {
            for (qsizetype i; !stop && (i = next++) < stretches;)
                intoMemory(i);
        });
    } catch (const std::system_error&) {
        // No thread to be had: this thread takes every stretch, one after another.
    }

    DocumentEncoding result;
    std::vector<bool> direct(static_cast<size_t>(stretches), false);
    {
        const auto [ok, lost] = encodeStretch(0, sink);
        direct[0] = true;
        result = {ok, lost};
    }
    qsizetype written = 1; // the stretches handed to the sink, in order
    // Hands over the stretches encoded into memory that come next, waiting for them or not.
    auto writeEncoded = [&](bool wait) {
        for (; written < next && written < stretches && result.ok; ++written) {
            if (direct[size_t(written)])
                continue;
            std::future<EncodedStretch>& f = done[size_t(written)];
            if (!wait && f.wait_for(std::chrono::seconds(0)) != std::future_status::ready)
                return;
            const EncodedStretch stretch = f.get();
            for (const QByteArray& chunk : stretch.chunks)
                result.ok = result.ok && sink(chunk);
            addUnencodable(result.unencodable, stretch.unencodable);
        }
    };
    for (qsizetype i; result.ok && (i = next++) < stretches;) {
        writeEncoded(false);
        if (i != written) {
            intoMemory(i);
            continue;
        }
        const auto [ok, lost] = encodeStretch(i, sink);
        direct[size_t(i)] = true;
        ++written;
        result.ok = ok;
        addUnencodable(result.unencodable, lost);
    }
    writeEncoded(true);
    stop = true;
    helper.reset();
    return result;
}
