#pragma once
// Stand-in for the animated-character agent control that announces discharge notices. It
// keeps the requests made of its character in a queue, in order, as the real control plays
// them one after the other; nothing here draws a character.
#include <QPoint>
#include <QString>
#include <QVector>
#include <list>

namespace agent {

struct Request {
    enum Kind { MoveTo, Show, Play, Speak, IdleOn } kind;
    QPoint at;    // MoveTo
    QString text; // Play: the animation; Speak: the words
};

class Character {
public:
    explicit Character(QString name) : name_(std::move(name)) {}
    const QString& Name() const { return name_; }
    void MoveTo(int x, int y) { queue_.append({Request::MoveTo, QPoint(x, y), {}}); }
    void Show() { queue_.append({Request::Show, {}, {}}); }
    void Play(const QString& animation) { queue_.append({Request::Play, {}, animation}); }
    void Speak(const QString& text) { queue_.append({Request::Speak, {}, text}); }
    void setIdleOn(bool on) {
        if (on)
            queue_.append({Request::IdleOn, {}, {}});
    }
    const QVector<Request>& queue() const { return queue_; }

private:
    QString name_;
    QVector<Request> queue_;
};

// The control: characters are loaded by name; none is loaded unless someone asks.
class Agent {
public:
    Character* Load(const QString& name) {
        chars_.emplace_back(name);
        return &chars_.back();
    }
    Character* character(const QString& name) {
        for (auto& c : chars_)
            if (c.Name() == name)
                return &c;
        return nullptr;
    }
    bool empty() const { return chars_.empty(); }

private:
    std::list<Character> chars_; // stable addresses for the references handed out
};

} // namespace agent
