#include "language/config_run_values.h"

#include "language/config_syntax.h"
#include "language/key_names.h"
#include "language/vocabulary.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace configrun {

namespace {

// Names the Steam engine refuses as alias names in Counter-Strike (Cmd_Alias_f).
constexpr QStringView kRefusedAliasNames[] = {u"cl_autobuy", u"cl_rebuy", u"gl_ztrick",
                                               u"gl_ztrick_old", u"gl_d3dflip"};

struct FixedName {
    QStringView name;
    Dispatch dispatch;
};
constexpr FixedName kFixedNames[] = {
    {u"exec", Dispatch::Exec},         {u"alias", Dispatch::Alias},
    {u"bind", Dispatch::Bind},         {u"unbind", Dispatch::Unbind},
    {u"unbindall", Dispatch::UnbindAll}, {u"setinfo", Dispatch::SetInfo},
    {u"wait", Dispatch::Wait},         {u"stuffcmds", Dispatch::StuffCmds},
};

quint64 placeId(const Place& p) {
    return (quint64(quint32(p.file)) << 32) | quint32(p.line);
}

// The earlier places, each once, the final one left out.
QList<Place> distinctOverridden(const Value& v) {
    if (v.overridden.isEmpty())
        return {};
    if (v.overridden.size() == 1)
        return v.overridden.front() != v.place ? v.overridden : QList<Place>();
    QList<Place> distinct;
    if (v.overridden.size() <= 16) {
        // A few places: looked through, without a set to build.
        for (const Place& p : v.overridden)
            if (p != v.place && !distinct.contains(p))
                distinct.append(p);
        return distinct;
    }
    // Many places: each one's first time found by sorting them, the order they ran kept.
    std::vector<std::pair<quint64, qsizetype>> ids;
    ids.reserve(size_t(v.overridden.size()));
    for (qsizetype i = 0; i < v.overridden.size(); ++i)
        ids.push_back({placeId(v.overridden[i]), i});
    std::sort(ids.begin(), ids.end());
    std::vector<bool> first(size_t(v.overridden.size()), false);
    const quint64 final = placeId(v.place);
    for (size_t k = 0; k < ids.size(); ++k)
        if ((k == 0 || ids[k].first != ids[k - 1].first) && ids[k].first != final)
            first[size_t(ids[k].second)] = true;
    for (qsizetype i = 0; i < v.overridden.size(); ++i)
        if (first[size_t(i)])
            distinct.append(v.overridden[i]);
    return distinct;
}

} // namespace

QString RunValues::keyOf(Kind kind, const QString& name) {
    return QString(QChar(u'0' + int(kind))) + name;
}

Slot& RunValues::slot(QStringView written) {
    if (const int at = m_slotIndex.find(written); at >= 0)
        return m_slots[size_t(at)];
    Slot s;
    s.name = m_slotIndex.insert(written, int(m_slots.size()));
    const QString& folded = s.name;
    const WordInfo* known = m_words.find(folded);
    if (known && known->builtIn)
        s.dispatch = Dispatch::BuiltIn;
    for (const FixedName& f : kFixedNames)
        if (folded.size() == f.name.size() && folded == f.name)
            s.dispatch = f.dispatch;
    s.variable = known && known->kind == WordKind::Variable;
    // The vocabulary's kindOf(), without a second look-up: a keyword of the config language
    // is no variable.
    s.refusedAsAlias = s.variable && !isConfigKeyword(folded);
    for (QStringView refused : kRefusedAliasNames)
        if (folded.size() == refused.size() && folded == refused)
            s.refusedAsAlias = true;
    m_slots.push_back(std::move(s));
    return m_slots.back();
}

int RunValues::key(QStringView written) {
    // The words seen are kept with their key, or -2 for a word that names none.
    if (const int seen = m_keyWords.find(written); seen != -1)
        return std::max(seen, -1);
    const QString name = canonicalKeyName(written);
    int id = -2;
    if (!name.isEmpty()) {
        id = m_keyNames.find(name);
        if (id < 0) {
            id = int(m_keyList.size());
            m_keyList.push_back({name, -1});
            m_keyNames.insert(name, id);
        }
    }
    m_keyWords.insert(written, id);
    return std::max(id, -1);
}

int RunValues::add(Kind kind, const QString& name) {
    std::deque<Value>& list = values(kind);
    Value v;
    v.kind = kind;
    v.name = name;
    list.push_back(std::move(v));
    return int(list.size()) - 1;
}

void RunValues::assign(Value& v, const QString& held, QStringView value, const Place& place,
                       bool cleared) {
    // Each earlier place once, in the order they ran (kept in order here, made distinct at
    // the end: a key bound a thousand times must not cost a thousand looks each time).
    if (v.place != place && (v.overridden.isEmpty() || v.overridden.last() != v.place))
        v.overridden.append(v.place);
    if (v.held.constData() != held.constData()) // set from the same text again: no copy
        v.held = held;
    v.value = value;
    v.cleared = cleared;
    v.place = place;
}

void RunValues::setIn(Kind kind, int& index, const QString& name, const QString& held,
                      QStringView value, const Place& place, bool cleared) {
    if (index >= 0) {
        assign(values(kind)[size_t(index)], held, value, place, cleared);
        return;
    }
    if (cleared)
        return; // unbinding a key nothing bound changes nothing
    index = add(kind, name);
    Value& v = values(kind)[size_t(index)];
    v.held = held;
    v.value = value;
    v.place = place;
}

void RunValues::setKey(int key, const QString& held, QStringView value, const Place& place,
                       bool cleared) {
    KeyEntry& k = m_keyList[size_t(key)];
    setIn(Kind::Key, k.value, k.name, held, value, place, cleared);
}

void RunValues::setInfo(QStringView name, const QString& held, QStringView value,
                        const Place& place) {
    int index = m_infos.find(name);
    if (index >= 0) {
        setIn(Kind::UserInfo, index, QString(), held, value, place, false);
        return;
    }
    // The table's own copy of the name is the value's too.
    const QString& kept = m_infos.insert(name, int(values(Kind::UserInfo).size()));
    setIn(Kind::UserInfo, index, kept, held, value, place, false);
}

void RunValues::setVariable(Slot& slot, const QString& held, QStringView value,
                            const Place& place) {
    setIn(Kind::Variable, slot.variableValue, slot.name, held, value, place, false);
}

Value& RunValues::defineAlias(Slot& slot, const QString& held, QStringView shown,
                              const Place& place) {
    setIn(Kind::Alias, slot.alias, slot.name, held, shown, place, false);
    Value& v = values(Kind::Alias)[size_t(slot.alias)];
    v.stored.clear();
    return v;
}

QHash<QString, Place> RunValues::snapshot() const {
    QHash<QString, Place> at;
    for (const std::deque<Value>& list : m_values)
        for (const Value& v : list)
            if (!v.cleared)
                at.insert(keyOf(v.kind, v.name), v.place);
    return at;
}

QList<Final> RunValues::finals() const {
    QList<Final> all;
    qsizetype count = 0;
    for (const std::deque<Value>& list : m_values)
        count += qsizetype(list.size());
    all.reserve(count);
    // Names are sorted by their UTF-16 units; the first four of them, packed into a number,
    // decide most comparisons without a look at the strings.
    struct Sorted {
        quint64 prefix;
        const Value* value;
    };
    std::vector<Sorted> order;
    for (const std::deque<Value>& list : m_values) {
        // Kinds come in their order already; names within each, sorted before they are copied.
        order.clear();
        order.reserve(list.size());
        for (const Value& v : list) {
            quint64 prefix = 0;
            for (qsizetype i = 0; i < 4; ++i)
                prefix = (prefix << 16) | (i < v.name.size() ? v.name[i].unicode() : 0u);
            order.push_back({prefix, &v});
        }
        std::sort(order.begin(), order.end(), [](const Sorted& a, const Sorted& b) {
            return a.prefix != b.prefix ? a.prefix < b.prefix
                                        : nameBefore(a.value->name, b.value->name);
        });
        for (const Sorted& s : order) {
            const Value* v = s.value;
            all.append({v->kind, v->name, v->value.toString(), v->cleared, v->place,
                        distinctOverridden(*v)});
        }
    }
    return all;
}

} // namespace configrun
