// Explanation lookup.
#include "reference/explanations.h"

#include "platform/ini_profile.h"
#include "reference/explanation_cache.h"
#include "state/shared_state.h"

using namespace Qt::Literals::StringLiterals;

QString readExplanationValue(const QString& path, const QString& section, const QString& key) {
    const auto value = IniProfile::read(path, section, key);
    if (!value)
        return u"????"_s;
    return value->left(kMaxExplanationLength);
}

QString ReadIni2(const ProgramHome& home, const QString& library, const QString& entry,
                 bool dlzPageActive, const QString& key, ExplanationCache* cache) {
    const QString missing = u" ????"_s;
    auto lookIn = [&](const QString& relative) {
        if (!cache)
            return u" "_s + readExplanationValue(home.find(relative), entry, key);
        const auto value = cache->value(home, relative, entry, key);
        return u" "_s + (value ? value->left(kMaxExplanationLength) : u"????"_s);
    };
    if (dlzPageActive) {
        QString text = lookIn(u"dlls\\dlz\\"_s + library + u".pro"_s);
        if (text != missing)
            return text;
        text = lookIn(u"dlls\\ans2.pro"_s);
        if (text != missing)
            return text;
    }
    return lookIn(u"dlls\\ans1.pro"_s);
}

const QString& ReadIni2(SharedState& state, const QString& library, const QString& entry,
                        const QString& key) {
    ReferenceState& reference = state.reference;
    if (!reference.explanations)
        reference.explanations = std::make_shared<ExplanationCache>();
    reference.explanationText = ReadIni2(state.home, library, entry, reference.dlzPageActive, key,
                                         reference.explanations.get());
    return reference.explanationText;
}
