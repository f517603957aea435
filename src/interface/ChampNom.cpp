#include "interface/ChampNom.h"

#include "base/RegleNoms.h"
#include "interface/TexteQt.h"

namespace veltrane {

ChampNom::ChampNom(Sorte sorte, bool regleNoms, QWidget* parent)
    : QLineEdit(parent), sorte_(sorte), regle_(regleNoms) {
    setMaxLength(LONGUEUR);
}

std::string ChampNom::texte() const {
    return versWindows1252(text());
}

void ChampNom::definirTexte(const std::string& texte) {
    setText(depuisWindows1252(texte.substr(0, LONGUEUR)));
}

void ChampNom::appliquerRegle() {
    if (!regle_) return;
    std::string t = texte();
    if (sorte_ == Sorte::Nom)
        appliquerRegleNom(t);
    else
        appliquerReglePrenoms(t);
    const QString nouveau = depuisWindows1252(t);
    // La règle ne touche qu'aux capitales : la clé cherchée reste la même.
    if (nouveau != text()) setText(nouveau);
}

void ChampNom::focusOutEvent(QFocusEvent* evenement) {
    QLineEdit::focusOutEvent(evenement);
    appliquerRegle();
}

} // namespace veltrane
