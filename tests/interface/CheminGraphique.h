#pragma once

#include "interface/GenealogieDialogues.h"

#include "graphiques/Catalogue.h"
#include "interface/ChampNom.h"
#include "interface/DialoguePersonne.h"
#include "interface/FeuilleParametres.h"
#include "interface/graphiques/PagesGraphiques.h"

#include <QPushButton>
#include <QTest>

#include <filesystem>
#include <functional>

namespace veltrane::essai {

// Le chemin complet d'un graphique du bureau : Pierre DUPONT (le premier des homonymes) choisi
// dans le dialogue titré ainsi, la feuille réglée par regle puis validée, et un seul document
// PDF écrit sous ce préfixe.
inline void commandeJusquAuPdf(ProgrammeAvecFamille& p, int commande, const QString& titre,
                               const char* prefixe,
                               std::function<void(FeuilleParametres*)> regle) {
    p.contexte().repertoires.documents = p.donnees.chemin();
    p.contexte().configuration.afficheurPdf = "/bin/true";
    QWidget fenetre;
    quandBoiteNommee(QStringLiteral(u"DIALOG_DEMHOMO"),
                     [](QWidget* w) { qobject_cast<QDialog*>(w)->accept(); });
    quandBoiteNommee(QStringLiteral(u"DIALOG_DEMPERS"), [titre, regle](QWidget* w) {
        auto* d = qobject_cast<DialoguePersonne*>(w);
        QVERIFY(d);
        QCOMPARE(d->windowTitle(), titre);
        QTest::keyClicks(d->champNom(), QStringLiteral(u"DUPONT"));
        QTest::keyClicks(d->champPrenoms(), QStringLiteral(u"Pierre"));
        QTest::qWait(20);
        quandBoiteModale([regle](QWidget* f) {
            auto* feuille = qobject_cast<FeuilleParametres*>(f);
            QVERIFY(feuille);
            regle(feuille);
            feuille->accept();
        });
        d->boutonOk()->click();
    });
    commandeGraphique(&fenetre, p.contexte(), p.derniers, *graphiqueParCommande(commande));
    QCOMPARE(p.interaction().documents.size(), std::size_t{1});
    const std::string document = p.interaction().documents[0].first;
    QVERIFY(std::filesystem::path(document).filename().string().rfind(prefixe, 0) == 0);
    QVERIFY(document.ends_with(".pdf"));
    QVERIFY(std::filesystem::file_size(document) > 500);
}

} // namespace veltrane::essai
