#include "interface/TexteQt.h"

#include "plateforme/TexteUtf8.h"

#include <QFile>

#include <array>

namespace veltrane {

namespace {

// Caractère UTF-16 de chaque code de 0x80 à 0x9F, tiré de la table du cœur.
const std::array<char16_t, 32>& plage80a9F() {
    static const std::array<char16_t, 32> table = [] {
        std::array<char16_t, 32> t{};
        for (int code = 0x80; code <= 0x9F; ++code) {
            const char octet = static_cast<char>(code);
            QString c = QString::fromUtf8(versUtf8(std::string_view(&octet, 1)));
            // Les cinq codes non attribués reviennent en « ? » : ils n'ont pas d'antécédent.
            t[code - 0x80] = c == u"?" ? char16_t(0) : c.at(0).unicode();
        }
        return t;
    }();
    return table;
}

} // namespace

QString depuisWindows1252(std::string_view texte) {
    return QString::fromStdString(versUtf8(texte));
}

std::string versWindows1252(const QString& texte) {
    std::string sortie;
    sortie.reserve(static_cast<std::size_t>(texte.size()));
    for (char32_t u : texte.toUcs4()) {
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            sortie += static_cast<char>(u);
            continue;
        }
        char octet = '?';
        const auto& plage = plage80a9F();
        for (std::size_t i = 0; i < plage.size(); ++i)
            if (plage[i] != 0 && plage[i] == u) octet = static_cast<char>(0x80 + i);
        sortie += octet;
    }
    return sortie;
}

QString depuisChemin(const std::string& chemin) {
    return QFile::decodeName(QByteArray::fromStdString(chemin));
}

std::string versChemin(const QString& chemin) {
    return QFile::encodeName(chemin).toStdString();
}

std::string cheminPourMessage(const std::string& chemin) {
    return versWindows1252(depuisChemin(chemin));
}

std::string messageAvecChemin(const std::string& message, const std::string& chemin) {
    const std::size_t position = chemin.empty() ? std::string::npos : message.find(chemin);
    if (position == std::string::npos) return message;
    return message.substr(0, position) + cheminPourMessage(chemin) +
           message.substr(position + chemin.size());
}

std::string formateAvecChemin(const char* modele, const std::string& chemin) {
    std::string texte = modele;
    const std::size_t position = texte.find("%s");
    if (position == std::string::npos) return texte;
    return texte.replace(position, 2, cheminPourMessage(chemin));
}

} // namespace veltrane
