#include "headless/statedump.h"

#include <cstdio>
#include <sstream>

#include "headless/recordingplatform.h"
#include "play/elements.h"
#include "play/game.h"

namespace {

std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", byte);
            out += escape;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

const char* flag(bool value) {
    return value ? "true" : "false";
}

}  // namespace

std::string dumpState(const Game& game, const RecordingPlatform& platform) {
    const TForm1& f = game.Form1;
    const TForm2& d = game.Form2;
    std::ostringstream out;
    out << "{\"punkte\":" << f.punkte << ",\"baelle\":" << f.baelle << ",\"levelnr\":" << f.levelnr
        << ",\"halt\":" << flag(f.halt) << ",\"teiler\":" << f.teiler << ",\"posx\":" << f.posx
        << ",\"posy\":" << f.posy << ",\"bewx\":" << f.bewx << ",\"bewy\":" << f.bewy
        << ",\"schwung\":" << f.schwung << ",\"durchgang\":" << f.durchgang
        << ",\"ziehen\":" << flag(f.ziehen) << ",\"timer1\":" << flag(f.Timer1.Enabled)
        << ",\"enabled\":" << flag(f.Enabled) << ",\"caption\":" << quoted(f.Caption)
        << ",\"pause_checked\":" << flag(f.pauseChecked);
    out << ",\"labels\":{\"Label1\":" << quoted(f.Label1.Caption)
        << ",\"Label2\":" << quoted(f.Label2.Caption) << ",\"Label3\":" << quoted(f.Label3.Caption)
        << ",\"Label5\":" << quoted(f.Label5.Caption) << ",\"Label4\":" << flag(f.Label4.Visible)
        << "}";
    out << ",\"elements\":{";
    const char* separator = "";
    for (const Element& element : Elements) {
        if (isText(element.role)) {
            continue;  // the texts are dumped with the labels
        }
        const Component& c = f.*element.member;
        out << separator << quoted(c.Name) << ":[" << c.Left << "," << c.Top << "," << c.Width
            << "," << c.Height << "," << flag(c.Visible) << "]";
        separator = ",";
    }
    out << "},\"form2\":{\"visible\":" << flag(d.Visible)
        << ",\"text\":" << quoted(d.Label1.Caption) << ",\"blink\":" << flag(d.Timer1.Enabled)
        << ",\"flight\":" << flag(d.Timer2.Enabled) << "}";
    out << ",\"messages\":[";
    for (std::size_t i = 0; i < platform.messages.size(); ++i) {
        out << (i ? "," : "") << quoted(platform.messages[i]);
    }
    out << "],\"beeps\":" << platform.beeps << ",\"quit\":" << flag(platform.quit) << "}";
    return out.str();
}
