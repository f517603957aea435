#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

namespace veltrane {

// Un seul programme de bureau par utilisateur et par configuration : le second lancé transmet
// son fichier au premier, qui l'ouvre à la place du sien (double clic sur un autre fichier).
class InstanceUnique : public QObject {
    Q_OBJECT

public:
    explicit InstanceUnique(QString nom, QObject* parent = nullptr);
    ~InstanceUnique() override;

    // Nom du point de rendez-vous : propre à l'utilisateur et au répertoire de configuration.
    static QString nomPour(const QString& repertoireConfiguration);

    // Vrai si une instance écoute déjà et a accusé réception de la ligne de commande (vide :
    // elle se montre seulement). Bloquant, borné à quelques secondes.
    bool transmet(const QString& ligneCommande) const;
    // Devient l'instance qui reçoit ; un point de rendez-vous abandonné par une instance
    // disparue est repris. Faux si l'écoute est impossible.
    bool ecoute();

signals:
    // Ligne de commande reçue d'une autre instance, chemins rendus absolus.
    void ligneRecue(const QString& ligneCommande);

private:
    void accepte();

    QString nom_;
    QLocalServer* serveur_ = nullptr;
};

// Ligne de commande d'une instance (arguments après le programme, réunis comme
// fichierLigneDeCommande les lit), chemin rendu absolu pour une instance qui tourne ailleurs.
QString ligneATransmettre(const QStringList& arguments);

} // namespace veltrane
