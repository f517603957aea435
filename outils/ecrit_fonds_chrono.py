#!/usr/bin/env python3
"""Écrit les fonds de page des arbres chronologiques (donnees/Chrono/*.txt, Windows-1252).

Chaque liste est donnée ici de la plus ancienne période à la plus récente ; le fichier les range
de la plus récente à la plus ancienne, avec des couleurs claires qui alternent."""
import pathlib
import sys

COULEURS = [(255, 221, 221), (221, 236, 255), (226, 250, 214), (255, 244, 200),
            (238, 221, 255), (208, 244, 244), (255, 228, 196), (232, 232, 232)]

ESPAGNE = """1516-1556 Charles Ier;1556-1598 Philippe II;1598-1621 Philippe III;1621-1665 Philippe IV;
1665-1700 Charles II;1700-1746 Philippe V;1746-1759 Ferdinand VI;1759-1788 Charles III;
1788-1808 Charles IV;1808-1813 Joseph Bonaparte;1813-1833 Ferdinand VII;1833-1868 Isabelle II;
1868-1874 Sexenio démocratique;1874-1885 Alphonse XII;1885-1931 Alphonse XIII;
1931-1939 IIe République;1939-1975 Franquisme;1975-2014 Juan Carlos Ier;2014-9999 Philippe VI"""

BRITANNIQUES = """1714-1727 George Ier;1727-1760 George II;1760-1820 George III;1820-1830 George IV;
1830-1837 Guillaume IV;1837-1901 Victoria;1901-1910 Édouard VII;1910-1936 George V;
1936-1936 Édouard VIII;1936-1952 George VI;1952-2022 Élisabeth II;2022-9999 Charles III"""

FONDS = {
    "Siecles": ("les siècles, du XIe au XXIe", """1001-1100 XIe siècle;1101-1200 XIIe siècle;
1201-1300 XIIIe siècle;1301-1400 XIVe siècle;1401-1500 XVe siècle;1501-1600 XVIe siècle;
1601-1700 XVIIe siècle;1701-1800 XVIIIe siècle;1801-1900 XIXe siècle;1901-2000 XXe siècle;
2001-2100 XXIe siècle"""),
    "France": ("les rois de France depuis Hugues Capet, puis les républiques et les empires",
               """987-996 Hugues Capet;996-1031 Robert II;1031-1060 Henri Ier;1060-1108 Philippe Ier;
1108-1137 Louis VI;1137-1180 Louis VII;1180-1223 Philippe Auguste;1223-1226 Louis VIII;
1226-1270 Louis IX;1270-1285 Philippe III;1285-1314 Philippe IV;1314-1316 Louis X;
1316-1316 Jean Ier;1316-1322 Philippe V;1322-1328 Charles IV;1328-1350 Philippe VI;
1350-1364 Jean II;1364-1380 Charles V;1380-1422 Charles VI;1422-1461 Charles VII;
1461-1483 Louis XI;1483-1498 Charles VIII;1498-1515 Louis XII;1515-1547 François Ier;
1547-1559 Henri II;1559-1560 François II;1560-1574 Charles IX;1574-1589 Henri III;
1589-1610 Henri IV;1610-1643 Louis XIII;1643-1715 Louis XIV;1715-1774 Louis XV;
1774-1792 Louis XVI;1792-1804 Ire République;1804-1814 Premier Empire;1814-1824 Louis XVIII;
1824-1830 Charles X;1830-1848 Louis-Philippe;1848-1852 IIe République;1852-1870 Second Empire;
1870-1940 IIIe République;1940-1944 État français;1944-1946 Gouvernement provisoire;
1946-1958 IVe République;1958-9999 Ve République"""),
    "Alsace": ("les souverainetés successives de l'Alsace", """962-1024 Saint-Empire (Ottoniens);
1024-1125 Saint-Empire (Saliens);1125-1138 Saint-Empire (Lothaire III);
1138-1254 Saint-Empire (Staufen);1254-1273 Grand Interrègne;1273-1438 Saint-Empire;
1438-1648 Saint-Empire (Habsbourg);1648-1789 Royaume de France;1789-1871 France;
1871-1918 Reichsland Elsass-Lothringen;1918-1940 France;1940-1944 Annexion de fait;
1944-9999 France"""),
    "Bretagne": ("les ducs et duchesses de Bretagne jusqu'à l'union de 1532, puis la France",
                 """938-952 Alain Barbetorte;952-958 Drogon;958-981 Hoël Ier;981-988 Guérech;
988-992 Conan Ier;992-1008 Geoffroy Ier;1008-1040 Alain III;1040-1066 Conan II;1066-1084 Hoël II;
1084-1112 Alain IV;1112-1148 Conan III;1148-1156 Eudon de Porhoët;1156-1166 Conan IV;
1166-1201 Constance;1201-1203 Arthur Ier;1203-1213 Alix;1213-1237 Pierre Mauclerc;
1237-1286 Jean Ier;1286-1305 Jean II;1305-1312 Arthur II;1312-1341 Jean III;
1341-1364 Guerre de Succession;1364-1399 Jean IV;1399-1442 Jean V;1442-1450 François Ier;
1450-1457 Pierre II;1457-1458 Arthur III;1458-1488 François II;1488-1514 Anne;1514-1524 Claude;
1524-1532 François III;1532-9999 France"""),
    "Savoie": ("les comtes et ducs de Savoie, les rois de Sardaigne, puis la France depuis 1860",
               """1003-1048 Humbert Ier;1048-1051 Amédée Ier;1051-1060 Othon;1060-1078 Pierre Ier;
1078-1080 Amédée II;1080-1103 Humbert II;1103-1148 Amédée III;1148-1189 Humbert III;
1189-1233 Thomas Ier;1233-1253 Amédée IV;1253-1263 Boniface;1263-1268 Pierre II;
1268-1285 Philippe Ier;1285-1323 Amédée V;1323-1329 Édouard;1329-1343 Aymon;1343-1383 Amédée VI;
1383-1391 Amédée VII;1391-1440 Amédée VIII;1440-1465 Louis;1465-1472 Amédée IX;
1472-1482 Philibert Ier;1482-1490 Charles Ier;1490-1496 Charles II;1496-1497 Philippe II;
1497-1504 Philibert II;1504-1553 Charles III;1553-1580 Emmanuel-Philibert;
1580-1630 Charles-Emmanuel Ier;1630-1637 Victor-Amédée Ier;1637-1638 François-Hyacinthe;
1638-1675 Charles-Emmanuel II;1675-1730 Victor-Amédée II;1730-1773 Charles-Emmanuel III;
1773-1792 Victor-Amédée III;1792-1815 France;1815-1821 Victor-Emmanuel Ier;1821-1831 Charles-Félix;
1831-1849 Charles-Albert;1849-1860 Victor-Emmanuel II;1860-9999 France"""),
    "Angleterre": ("les souverains d'Angleterre depuis Guillaume le Conquérant",
                   """1066-1087 Guillaume Ier;1087-1100 Guillaume II;1100-1135 Henri Ier;1135-1154 Étienne;
1154-1189 Henri II;1189-1199 Richard Ier;1199-1216 Jean;1216-1272 Henri III;1272-1307 Édouard Ier;
1307-1327 Édouard II;1327-1377 Édouard III;1377-1399 Richard II;1399-1413 Henri IV;
1413-1422 Henri V;1422-1461 Henri VI;1461-1483 Édouard IV;1483-1483 Édouard V;
1483-1485 Richard III;1485-1509 Henri VII;1509-1547 Henri VIII;1547-1553 Édouard VI;
1553-1558 Marie Ire;1558-1603 Élisabeth Ire;1603-1625 Jacques Ier;1625-1649 Charles Ier;
1649-1660 Commonwealth;1660-1685 Charles II;1685-1688 Jacques II;1688-1702 Guillaume III;
1702-1714 Anne;""" + BRITANNIQUES),
    "Allemagne": ("les empereurs depuis Otton Ier, puis les États et régimes allemands",
                  """962-973 Otton Ier;973-983 Otton II;983-1002 Otton III;1002-1024 Henri II;
1024-1039 Conrad II;1039-1056 Henri III;1056-1106 Henri IV;1106-1125 Henri V;
1125-1137 Lothaire III;1138-1152 Conrad III;1152-1190 Frédéric Barberousse;1190-1197 Henri VI;
1198-1208 Philippe de Souabe;1208-1215 Otton IV;1215-1250 Frédéric II;1250-1254 Conrad IV;
1254-1273 Grand Interrègne;1273-1291 Rodolphe Ier;1292-1298 Adolphe de Nassau;1298-1308 Albert Ier;
1308-1313 Henri VII;1314-1347 Louis IV;1347-1378 Charles IV;1378-1400 Venceslas;1400-1410 Robert;
1410-1437 Sigismond;1438-1439 Albert II;1440-1493 Frédéric III;1493-1519 Maximilien Ier;
1519-1556 Charles Quint;1556-1564 Ferdinand Ier;1564-1576 Maximilien II;1576-1612 Rodolphe II;
1612-1619 Matthias;1619-1637 Ferdinand II;1637-1657 Ferdinand III;1658-1705 Léopold Ier;
1705-1711 Joseph Ier;1711-1740 Charles VI;1742-1745 Charles VII;1745-1765 François Ier;
1765-1790 Joseph II;1790-1792 Léopold II;1792-1806 François II;1806-1815 Confédération du Rhin;
1815-1866 Confédération germanique;1867-1871 Confédération de l'Allemagne du Nord;
1871-1918 Empire allemand;1918-1933 République de Weimar;1933-1945 IIIe Reich;
1945-1949 Occupation alliée;1949-1990 RFA et RDA;1990-9999 Allemagne réunifiée"""),
    "Autriche": ("les Babenberg et les Habsbourg, puis l'Autriche-Hongrie et les républiques",
                 """976-994 Léopold Ier;994-1018 Henri Ier;1018-1055 Adalbert;1055-1075 Ernest;
1075-1095 Léopold II;1095-1136 Léopold III;1136-1141 Léopold IV;1141-1177 Henri II;
1177-1194 Léopold V;1194-1198 Frédéric Ier;1198-1230 Léopold VI;1230-1246 Frédéric II;
1246-1278 Interrègne;1278-1282 Rodolphe Ier;1282-1308 Albert Ier;1308-1330 Frédéric le Bel;
1330-1358 Albert II;1358-1365 Rodolphe IV;1365-1395 Albert III;1395-1404 Albert IV;
1404-1439 Albert V;1440-1457 Ladislas le Posthume;1457-1493 Frédéric V;1493-1519 Maximilien Ier;
1519-1521 Charles Quint;1521-1564 Ferdinand Ier;1564-1576 Maximilien II;1576-1608 Rodolphe II;
1608-1619 Matthias;1619-1637 Ferdinand II;1637-1657 Ferdinand III;1657-1705 Léopold Ier;
1705-1711 Joseph Ier;1711-1740 Charles VI;1740-1780 Marie-Thérèse;1780-1790 Joseph II;
1790-1792 Léopold II;1792-1835 François II;1835-1848 Ferdinand Ier;1848-1867 François-Joseph;
1867-1918 Autriche-Hongrie;1918-1934 Ire République;1934-1938 État fédéral;1938-1945 Anschluss;
1945-1955 IIe République occupée;1955-9999 IIe République"""),
    "Danemark": ("les rois de Danemark depuis le XIe siècle",
                 """986-1014 Sven Ier;1014-1018 Harald II;1018-1035 Knud le Grand;1035-1042 Hardeknud;
1042-1047 Magnus le Bon;1047-1076 Sven II;1076-1080 Harald III;1080-1086 Knud IV;
1086-1095 Olaf Ier;1095-1103 Éric Ier;1104-1134 Niels;1134-1137 Éric II;1137-1146 Éric III;
1146-1157 Guerre civile;1157-1182 Valdemar Ier;1182-1202 Knud VI;1202-1241 Valdemar II;
1241-1250 Éric IV;1250-1252 Abel;1252-1259 Christophe Ier;1259-1286 Éric V;1286-1319 Éric VI;
1320-1332 Christophe II;1332-1340 Interrègne;1340-1375 Valdemar IV;1376-1387 Olaf II;
1387-1412 Marguerite Ire;1412-1439 Éric VII;1440-1448 Christophe III;1448-1481 Christian Ier;
1481-1513 Jean;1513-1523 Christian II;1523-1533 Frédéric Ier;1534-1559 Christian III;
1559-1588 Frédéric II;1588-1648 Christian IV;1648-1670 Frédéric III;1670-1699 Christian V;
1699-1730 Frédéric IV;1730-1746 Christian VI;1746-1766 Frédéric V;1766-1808 Christian VII;
1808-1839 Frédéric VI;1839-1848 Christian VIII;1848-1863 Frédéric VII;1863-1906 Christian IX;
1906-1912 Frédéric VIII;1912-1947 Christian X;1947-1972 Frédéric IX;1972-2024 Marguerite II;
2024-9999 Frédéric X"""),
    "Ecosse": ("les rois d'Écosse depuis Malcolm III jusqu'à l'union de 1707, puis les souverains britanniques",
               """1058-1093 Malcolm III;1093-1097 Donald III;1097-1107 Edgar;1107-1124 Alexandre Ier;
1124-1153 David Ier;1153-1165 Malcolm IV;1165-1214 Guillaume le Lion;1214-1249 Alexandre II;
1249-1286 Alexandre III;1286-1290 Marguerite;1290-1292 Premier interrègne;1292-1296 Jean Balliol;
1296-1306 Second interrègne;1306-1329 Robert Bruce;1329-1371 David II;1371-1390 Robert II;
1390-1406 Robert III;1406-1437 Jacques Ier;1437-1460 Jacques II;1460-1488 Jacques III;
1488-1513 Jacques IV;1513-1542 Jacques V;1542-1567 Marie Stuart;1567-1625 Jacques VI;
1625-1649 Charles Ier;1649-1660 Commonwealth;1660-1685 Charles II;1685-1688 Jacques VII;
1689-1702 Guillaume II;1702-1714 Anne;""" + BRITANNIQUES),
    "Aragon": ("les rois d'Aragon jusqu'en 1516, puis les souverains et régimes de l'Espagne",
               """1035-1063 Ramire Ier;1063-1094 Sanche Ier;1094-1104 Pierre Ier;1104-1134 Alphonse Ier;
1134-1137 Ramire II;1137-1164 Pétronille;1164-1196 Alphonse II;1196-1213 Pierre II;
1213-1276 Jacques Ier;1276-1285 Pierre III;1285-1291 Alphonse III;1291-1327 Jacques II;
1327-1336 Alphonse IV;1336-1387 Pierre IV;1387-1396 Jean Ier;1396-1410 Martin Ier;
1410-1412 Interrègne;1412-1416 Ferdinand Ier;1416-1458 Alphonse V;1458-1479 Jean II;
1479-1516 Ferdinand II;""" + ESPAGNE),
    "Castille": ("les rois de Castille jusqu'en 1516, puis les souverains et régimes de l'Espagne",
                 """1035-1065 Ferdinand Ier;1065-1072 Sanche II;1072-1109 Alphonse VI;1109-1126 Urraque;
1126-1157 Alphonse VII;1157-1158 Sanche III;1158-1214 Alphonse VIII;1214-1217 Henri Ier;
1217-1252 Ferdinand III;1252-1284 Alphonse X;1284-1295 Sanche IV;1295-1312 Ferdinand IV;
1312-1350 Alphonse XI;1350-1369 Pierre Ier;1369-1379 Henri II;1379-1390 Jean Ier;
1390-1406 Henri III;1406-1454 Jean II;1454-1474 Henri IV;1474-1504 Isabelle Ire;
1504-1516 Jeanne Ire;""" + ESPAGNE),
    "Portugal": ("les rois de Portugal depuis Afonso Ier, puis les républiques",
                 """1139-1185 Afonso Ier;1185-1211 Sanche Ier;1211-1223 Afonso II;1223-1248 Sanche II;
1248-1279 Afonso III;1279-1325 Denis Ier;1325-1357 Afonso IV;1357-1367 Pierre Ier;
1367-1383 Ferdinand Ier;1383-1385 Interrègne;1385-1433 Jean Ier;1433-1438 Édouard Ier;
1438-1481 Afonso V;1481-1495 Jean II;1495-1521 Manuel Ier;1521-1557 Jean III;
1557-1578 Sébastien Ier;1578-1580 Henri Ier;1580-1640 Union ibérique;1640-1656 Jean IV;
1656-1667 Afonso VI;1667-1706 Pierre II;1706-1750 Jean V;1750-1777 Joseph Ier;1777-1816 Marie Ire;
1816-1826 Jean VI;1826-1826 Pierre IV;1826-1828 Marie II;1828-1834 Michel Ier;1834-1853 Marie II;
1853-1861 Pierre V;1861-1889 Louis Ier;1889-1908 Charles Ier;1908-1910 Manuel II;
1910-1926 Ire République;1926-1933 Dictature militaire;1933-1974 Estado Novo;
1974-9999 IIIe République"""),
    "Russie": ("les grands princes de Moscou, les tsars et empereurs, puis l'URSS et la Russie",
               """1283-1303 Daniel;1303-1325 Iouri;1325-1340 Ivan Ier;1340-1353 Siméon;1353-1359 Ivan II;
1359-1389 Dimitri Donskoï;1389-1425 Vassili Ier;1425-1462 Vassili II;1462-1505 Ivan III;
1505-1533 Vassili III;1533-1584 Ivan le Terrible;1584-1598 Fédor Ier;1598-1605 Boris Godounov;
1605-1613 Temps des troubles;1613-1645 Michel Ier;1645-1676 Alexis Ier;1676-1682 Fédor III;
1682-1725 Pierre le Grand;1725-1727 Catherine Ire;1727-1730 Pierre II;1730-1740 Anna;
1740-1741 Ivan VI;1741-1762 Élisabeth;1762-1762 Pierre III;1762-1796 Catherine II;
1796-1801 Paul Ier;1801-1825 Alexandre Ier;1825-1855 Nicolas Ier;1855-1881 Alexandre II;
1881-1894 Alexandre III;1894-1917 Nicolas II;1917-1922 Révolution et guerre civile;
1922-1991 URSS;1991-9999 Fédération de Russie"""),
    "Japon": ("les périodes du Japon de Heian à Edo, puis les ères depuis Meiji",
              """794-1185 Heian;1185-1333 Kamakura;1333-1336 Restauration de Kenmu;
1336-1392 Nanboku-cho;1392-1573 Muromachi;1573-1603 Azuchi-Momoyama;1603-1868 Edo;
1868-1912 Meiji;1912-1926 Taisho;1926-1989 Showa;1989-2019 Heisei;2019-9999 Reiwa"""),
    "Papes": ("les pontificats depuis Sylvestre II, sans les antipapes",
              """999-1003 Sylvestre II;1003-1003 Jean XVII;1003-1009 Jean XVIII;1009-1012 Serge IV;
1012-1024 Benoît VIII;1024-1032 Jean XIX;1032-1044 Benoît IX;1045-1045 Sylvestre III;
1045-1045 Benoît IX;1045-1046 Grégoire VI;1046-1047 Clément II;1047-1048 Benoît IX;
1048-1048 Damase II;1049-1054 Léon IX;1055-1057 Victor II;1057-1058 Étienne IX;
1059-1061 Nicolas II;1061-1073 Alexandre II;1073-1085 Grégoire VII;1086-1087 Victor III;
1088-1099 Urbain II;1099-1118 Pascal II;1118-1119 Gélase II;1119-1124 Calixte II;
1124-1130 Honorius II;1130-1143 Innocent II;1143-1144 Célestin II;1144-1145 Lucius II;
1145-1153 Eugène III;1153-1154 Anastase IV;1154-1159 Adrien IV;1159-1181 Alexandre III;
1181-1185 Lucius III;1185-1187 Urbain III;1187-1187 Grégoire VIII;1187-1191 Clément III;
1191-1198 Célestin III;1198-1216 Innocent III;1216-1227 Honorius III;1227-1241 Grégoire IX;
1241-1241 Célestin IV;1243-1254 Innocent IV;1254-1261 Alexandre IV;1261-1264 Urbain IV;
1265-1268 Clément IV;1271-1276 Grégoire X;1276-1276 Innocent V;1276-1276 Adrien V;
1276-1277 Jean XXI;1277-1280 Nicolas III;1281-1285 Martin IV;1285-1287 Honorius IV;
1288-1292 Nicolas IV;1294-1294 Célestin V;1294-1303 Boniface VIII;1303-1304 Benoît XI;
1305-1314 Clément V;1316-1334 Jean XXII;1334-1342 Benoît XII;1342-1352 Clément VI;
1352-1362 Innocent VI;1362-1370 Urbain V;1370-1378 Grégoire XI;1378-1389 Urbain VI;
1389-1404 Boniface IX;1404-1406 Innocent VII;1406-1415 Grégoire XII;1417-1431 Martin V;
1431-1447 Eugène IV;1447-1455 Nicolas V;1455-1458 Calixte III;1458-1464 Pie II;1464-1471 Paul II;
1471-1484 Sixte IV;1484-1492 Innocent VIII;1492-1503 Alexandre VI;1503-1503 Pie III;
1503-1513 Jules II;1513-1521 Léon X;1522-1523 Adrien VI;1523-1534 Clément VII;1534-1549 Paul III;
1550-1555 Jules III;1555-1555 Marcel II;1555-1559 Paul IV;1559-1565 Pie IV;1566-1572 Pie V;
1572-1585 Grégoire XIII;1585-1590 Sixte V;1590-1590 Urbain VII;1590-1591 Grégoire XIV;
1591-1591 Innocent IX;1592-1605 Clément VIII;1605-1605 Léon XI;1605-1621 Paul V;
1621-1623 Grégoire XV;1623-1644 Urbain VIII;1644-1655 Innocent X;1655-1667 Alexandre VII;
1667-1669 Clément IX;1670-1676 Clément X;1676-1689 Innocent XI;1689-1691 Alexandre VIII;
1691-1700 Innocent XII;1700-1721 Clément XI;1721-1724 Innocent XIII;1724-1730 Benoît XIII;
1730-1740 Clément XII;1740-1758 Benoît XIV;1758-1769 Clément XIII;1769-1774 Clément XIV;
1775-1799 Pie VI;1800-1823 Pie VII;1823-1829 Léon XII;1829-1830 Pie VIII;1831-1846 Grégoire XVI;
1846-1878 Pie IX;1878-1903 Léon XIII;1903-1914 Pie X;1914-1922 Benoît XV;1922-1939 Pie XI;
1939-1958 Pie XII;1958-1963 Jean XXIII;1963-1978 Paul VI;1978-1978 Jean-Paul Ier;
1978-2005 Jean-Paul II;2005-2013 Benoît XVI;2013-2025 François;2025-9999 Léon XIV"""),
    "Inventions": ("de grandes inventions, chacune à son année",
                   """1286-1286 Lunettes de vue;1450-1450 Imprimerie;1590-1590 Microscope;
1608-1608 Lunette astronomique;1643-1643 Baromètre;1656-1656 Horloge à pendule;
1712-1712 Machine à vapeur;1783-1783 Montgolfière;1794-1794 Télégraphe optique;
1800-1800 Pile électrique;1804-1804 Locomotive;1826-1826 Photographie;
1837-1837 Télégraphe électrique;1876-1876 Téléphone;1879-1879 Lampe à incandescence;
1885-1885 Automobile;1895-1895 Cinématographe;1903-1903 Avion;1928-1928 Pénicilline;
1947-1947 Transistor;1957-1957 Satellite artificiel;1969-1969 Réseau Arpanet;
1973-1973 Téléphone portable;1989-1989 Web"""),
    "Litterature": ("les grands mouvements de la littérature française",
                    """1050-1150 Chansons de geste;1150-1250 Roman courtois;1250-1350 Fabliaux et satire;
1350-1500 Fin du Moyen Âge;1500-1549 Humanisme;1549-1585 Pléiade;1585-1660 Baroque;
1660-1715 Classicisme;1715-1789 Lumières;1789-1820 Préromantisme;1820-1850 Romantisme;
1850-1870 Réalisme;1870-1886 Naturalisme;1886-1910 Symbolisme;1910-1924 Avant-gardes;
1924-1945 Surréalisme;1945-1955 Existentialisme;1955-1970 Nouveau roman;
1970-9999 Littérature contemporaine"""),
    "Peinture": ("les grands mouvements de la peinture européenne",
                 """1000-1150 Art roman;1150-1400 Art gothique;1400-1420 Gothique international;
1420-1490 Première Renaissance;1490-1520 Haute Renaissance;1520-1600 Maniérisme;
1600-1720 Baroque;1720-1770 Rococo;1770-1820 Néoclassicisme;1820-1850 Romantisme;
1850-1870 Réalisme;1870-1886 Impressionnisme;1886-1905 Postimpressionnisme;
1905-1916 Fauvisme et cubisme;1916-1945 Dada et surréalisme;1945-1960 Expressionnisme abstrait;
1960-1970 Pop art;1970-9999 Art contemporain"""),
}


def periodes(texte):
    for morceau in texte.replace("\n", "").split(";"):
        annees, libelle = morceau.strip().split(" ", 1)
        debut, fin = (int(a) for a in annees.split("-"))
        yield debut, fin, libelle


def ecrit(dossier, nom, sujet, texte):
    lignes = ["#2", "Fond de page d'arbre chronologique : " + sujet + ".",
              "Fin, début, rouge, vert, bleu, libellé ; la période la plus récente d'abord."]
    liste = list(periodes(texte))
    for i, (debut, fin, libelle) in enumerate(reversed(liste)):
        r, v, b = COULEURS[(len(liste) - 1 - i) % len(COULEURS)]
        lignes.append(f"{fin}\t{debut}\t{r}\t{v}\t{b}\t{libelle}")
    (dossier / f"{nom}.txt").write_bytes(("\r\n".join(lignes) + "\r\n").encode("cp1252"))


def main():
    dossier = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else "donnees/Chrono")
    dossier.mkdir(parents=True, exist_ok=True)
    (dossier / "Rien.txt").write_bytes(
        "#1\r\nFond de page vide : aucune période.\r\n".encode("cp1252"))
    for nom, (sujet, texte) in FONDS.items():
        ecrit(dossier, nom, sujet, texte)


if __name__ == "__main__":
    main()
