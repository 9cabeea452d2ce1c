// The word lists behind the generators: surnames, given names, streets, barangays and the
// zip codes of real towns.
#include "hospitalgen_data.h"
#include "hospitalgen.h"

namespace hospitalgen {

namespace data {

QVector<QString> list(std::initializer_list<const char*> items) {
    QVector<QString> v;
    v.reserve(int(items.size()));
    for (const char* s : items)
        v.append(QString::fromUtf8(s));
    return v;
}

// Surnames roughly from the most common down.
const QVector<QString>& surnames() {
    static const QVector<QString> v =
        list({"SANTOS",      "REYES",        "CRUZ",         "DELA CRUZ",   "GARCIA",
              "BAUTISTA",    "MENDOZA",      "RAMOS",        "DE LEON",     "AQUINO",
              "CASTILLO",    "FLORES",       "VILLANUEVA",   "TORRES",      "GONZALES",
              "DE GUZMAN",   "FERNANDEZ",    "LOPEZ",        "DEL ROSARIO", "DOMINGO",
              "RIVERA",      "CASTRO",       "PEREZ",        "HERNANDEZ",   "SANTIAGO",
              "PASCUAL",     "MERCADO",      "NAVARRO",      "AGUILAR",     "SALAZAR",
              "MORALES",     "MARQUEZ",      "FRANCISCO",    "SORIANO",     "MANALO",
              "DIZON",       "GOMEZ",        "VALDEZ",       "SARMIENTO",   "TOLENTINO",
              "MARIANO",     "CABRERA",      "DIAZ",         "SANCHEZ",     "RODRIGUEZ",
              "MARTINEZ",    "RAMIREZ",      "JAVIER",       "IGNACIO",     "EVANGELISTA",
              "CONCEPCION",  "AGUSTIN",      "ENRIQUEZ",     "LIM",         "TAN",
              "SY",          "PADILLA",      "ROBLES",       "VERGARA",     "MEDINA",
              "PINEDA",      "GUTIERREZ",    "VELASCO",      "CORPUZ",      "DELA ROSA",
              "DELOS REYES", "DELOS SANTOS", "DELA PAZ",     "DELA TORRE",  "DE JESUS",
              "DE VERA",     "DEL MUNDO",    "SAN JOSE",     "SAN JUAN",    "SANTILLAN",
              "SANTA MARIA", "SAMONTE",      "SISON",        "MIRANDA",     "VALENZUELA",
              "ALCANTARA",   "BERNARDO",     "BUENAVENTURA", "ESPIRITU",    "LACSON",
              "PANGILINAN",  "PANGANIBAN",   "MACAPAGAL",    "MACARAEG",    "MAGBANUA",
              "MANALASTAS",  "MANGAHAS",     "DIMACULANGAN", "DIMAGIBA",    "KATIGBAK",
              "LUALHATI",    "LACSAMANA",    "GATCHALIAN",   "BONIFACIO",   "MABINI",
              "LAPID",       "BACANI",       "DUMALAGAN",    "CORTEZ",      "ROSALES",
              "VILLAREAL",   "JIMENEZ",      "OCAMPO",       "ANDRADA",     "TOMAS",
              "NUÑEZ",       "MUÑOZ",        "PEÑA",         "IBAÑEZ",      "QUIAMBAO",
              "TUAZON",      "YAMBAO",       "MANANSALA",    "TIONGSON",    "DANTES",
              "CAYETANO",    "ESTRADA",      "LEGASPI",      "BELMONTE",    "GALANG",
              "LAGMAN",      "ILAGAN",       "VENTURA",      "SERRANO",     "SOLIMAN",
              "TAGLE",       "UMALI",        "VIDAL",        "ZAMORA",      "ABAD",
              "BELLO",       "CORDERO",      "GALLARDO",     "GUEVARRA",    "HIDALGO",
              "LOZANO",      "MAGLAYA",      "NEPOMUCENO",   "QUIÑONES",    "RAÑOLA",
              "SALONGA",     "TADURAN",      "YLAGAN",       "ZARAGOZA",    "ABRENICA",
              "BAGTAS",      "CAPUNO",       "DAGOHOY",      "EUGENIO",     "FAJARDO",
              "GALVEZ",      "HONRADO",      "INFANTE",      "LABRADOR",    "MALLARI",
              "NACPIL",      "OLIVAREZ",     "PAGUIO",       "RIVERO",      "SALVADOR",
              "TIMBOL",      "URBANO",       "VALERIO",      "YUSON"});
    return v;
}

// Given names by generation: people past forty, and younger ones.
const QVector<QString>& olderMen() {
    static const QVector<QString> v = list(
        {"JOSE",     "JUAN",     "ANTONIO",   "ROBERTO",    "RICARDO",   "EDUARDO",     "FERNANDO",
         "RODRIGO",  "REYNALDO", "ROLANDO",   "ERNESTO",    "DANILO",    "ROMEO",       "ROGELIO",
         "ALFREDO",  "MANUEL",   "FRANCISCO", "PEDRO",      "MARIO",     "CARLOS",      "VICENTE",
         "ARMANDO",  "BENJAMIN", "DOMINADOR", "NESTOR",     "EFREN",     "LEONARDO",    "RENATO",
         "ARNEL",    "JOEL",     "NOEL",      "RONALDO",    "RAMON",     "ALBERTO",     "FELIPE",
         "TEODORO",  "CELSO",    "VIRGILIO",  "BIENVENIDO", "JOSE MARI", "JUAN CARLOS", "EMMANUEL",
         "WILFREDO", "GREGORIO", "CESAR"});
    return v;
}
const QVector<QString>& youngerMen() {
    static const QVector<QString> v = list(
        {"MARK ANTHONY", "JOHN PAUL", "JERICHO",   "CHRISTIAN", "JAYSON",  "JOMAR",   "RAMIL",
         "MICHAEL",      "ANGELO",    "GABRIEL",   "MIGUEL",    "JOSHUA",  "KYLE",    "JHON LLOYD",
         "KENNETH",      "RONNEL",    "JUN JUN",   "AARON",     "CARLO",   "PATRICK", "JEFFREY",
         "RYAN",         "JAMES",     "NIÑO",      "RAFAEL",    "DANIEL",  "ADRIAN",  "JOHN MARK",
         "ELMER",        "RICHARD",   "NATHANIEL", "JERALD",    "EZEKIEL", "JUSTIN",  "LANCE"});
    return v;
}
const QVector<QString>& olderWomen() {
    static const QVector<QString> v =
        list({"MARIA",          "MA. THERESA", "ROSARIO",  "LUZVIMINDA", "JOSEFINA",  "TERESITA",
              "ELENA",          "CRISTINA",    "MARITES",  "ERLINDA",    "CORAZON",   "REMEDIOS",
              "LEONORA",        "IMELDA",      "EVELYN",   "GLORIA",     "CARMELITA", "NENITA",
              "LOURDES",        "AURORA",      "DIVINA",   "ROWENA",     "LORNA",     "MARILOU",
              "MA. LOURDES",    "ZENAIDA",     "VIRGINIA", "PERLA",      "FELICIDAD", "NORMA",
              "MERCEDES",       "ESTRELLA",    "CONCHITA", "MILAGROS",   "ADELAIDA",  "AMPARO",
              "MARIA CRISTINA", "ROSALINDA",   "SUSANA",   "VILMA"});
    return v;
}
const QVector<QString>& youngerWomen() {
    static const QVector<QString> v = list(
        {"MARICEL", "JENNIFER",   "MICHELLE",  "KRISTINE", "ANGELICA",     "PRINCESS", "MARY GRACE",
         "RHEA",    "JOY",        "CHARMAINE", "CAMILLE",  "PATRICIA",     "ANDREA",   "DAISY",
         "LIZA",    "ANALYN",     "JANELLA",   "NICOLE",   "ABIGAIL",      "KIMBERLY", "SHIELA MAE",
         "JOANNA",  "CHERRY ANN", "RICA",      "ALYSSA",   "MA. ANGELICA", "CLARISSA", "JASMINE",
         "HAZEL",   "APRIL",      "JOVELYN",   "MARY JOY", "LEA",          "BEA",      "SOFIA"});
    return v;
}

const QVector<QString>& streets() {
    static const QVector<QString> v =
        list({"Rizal St.",     "Mabini St.",        "Bonifacio St.",     "Luna St.",
              "Del Pilar St.", "Burgos St.",        "Quezon Ave.",       "Magsaysay Ave.",
              "Aguinaldo St.", "Jacinto St.",       "Sampaguita St.",    "Ilang-Ilang St.",
              "Kamagong St.",  "Narra St.",         "Molave St.",        "Acacia St.",
              "Sto. Niño St.", "Gen. Luna St.",     "P. Burgos St.",     "M.H. del Pilar St.",
              "Kalayaan Ave.", "Maharlika Highway", "MacArthur Highway", "Dahlia St.",
              "Rosal St.",     "Mangga St.",        "Santol St.",        "Balagtas St.",
              "Lapu-Lapu St.", "Gomburza St."});
    return v;
}

const QVector<QString>& barangays() {
    static const QVector<QString> v =
        list({"Poblacion",     "San Isidro",   "San Jose",       "San Roque",   "Santo Niño",
              "Bagong Silang", "Malanday",     "Sta. Lucia",     "San Antonio", "Maligaya",
              "Bagumbayan",    "Mabini",       "Bagong Pag-asa", "Concepcion",  "Santa Cruz",
              "San Vicente",   "Dela Paz",     "Pinagbuhatan",   "Culiat",      "Batasan Hills",
              "Commonwealth",  "Tandang Sora", "Holy Spirit",    "San Rafael",  "Sto. Cristo",
              "Malinta",       "Tabing Ilog",  "Bayanihan",      "Pulo",        "Sampaloc",
              "Talipapa",      "Pag-asa",      "Burol",          "Calumpang",   "Wawa",
              "Ibayo",         "Camachile",    "Kaybagal",       "Banaba",      "Lawa"});
    return v;
}

} // namespace data

const QVector<Town>& towns() {
    // One row per zip code. The weights favour Metro Manila and the provinces around it,
    // where most of a Manila referral hospital's patients live.
    static const QVector<Town> v = [] {
        struct Row {
            const char *zip, *town, *province;
            int weight;
            bool numbered;
        };
        static const Row rows[] = {
            // Metro Manila
            {"1000", "Manila", "Metro Manila", 6, true},
            {"1001", "Manila", "Metro Manila", 4, true},
            {"1003", "Manila", "Metro Manila", 4, true},
            {"1004", "Manila", "Metro Manila", 4, true},
            {"1005", "Manila", "Metro Manila", 3, true},
            {"1006", "Manila", "Metro Manila", 3, true},
            {"1007", "Manila", "Metro Manila", 3, true},
            {"1008", "Manila", "Metro Manila", 6, true},
            {"1009", "Manila", "Metro Manila", 4, true},
            {"1011", "Manila", "Metro Manila", 3, true},
            {"1012", "Manila", "Metro Manila", 8, true},
            {"1013", "Manila", "Metro Manila", 8, true},
            {"1016", "Manila", "Metro Manila", 4, true},
            {"1017", "Manila", "Metro Manila", 3, true},
            {"1100", "Quezon City", "Metro Manila", 10, false},
            {"1101", "Quezon City", "Metro Manila", 6, false},
            {"1102", "Quezon City", "Metro Manila", 5, false},
            {"1103", "Quezon City", "Metro Manila", 5, false},
            {"1104", "Quezon City", "Metro Manila", 5, false},
            {"1105", "Quezon City", "Metro Manila", 6, false},
            {"1106", "Quezon City", "Metro Manila", 6, false},
            {"1107", "Quezon City", "Metro Manila", 5, false},
            {"1109", "Quezon City", "Metro Manila", 5, false},
            {"1112", "Quezon City", "Metro Manila", 4, false},
            {"1116", "Quezon City", "Metro Manila", 7, false},
            {"1118", "Quezon City", "Metro Manila", 6, false},
            {"1119", "Quezon City", "Metro Manila", 6, false},
            {"1121", "Quezon City", "Metro Manila", 8, false},
            {"1124", "Quezon City", "Metro Manila", 5, false},
            {"1126", "Quezon City", "Metro Manila", 6, false},
            {"1400", "Caloocan", "Metro Manila", 8, true},
            {"1420", "Caloocan", "Metro Manila", 6, true},
            {"1428", "Caloocan", "Metro Manila", 7, true},
            {"1440", "Valenzuela", "Metro Manila", 7, false},
            {"1470", "Malabon", "Metro Manila", 5, false},
            {"1485", "Navotas", "Metro Manila", 4, false},
            {"1500", "San Juan", "Metro Manila", 3, false},
            {"1550", "Mandaluyong", "Metro Manila", 5, false},
            {"1600", "Pasig", "Metro Manila", 6, false},
            {"1602", "Pasig", "Metro Manila", 3, false},
            {"1610", "Pasig", "Metro Manila", 3, false},
            {"1620", "Pateros", "Metro Manila", 2, false},
            {"1630", "Taguig", "Metro Manila", 5, false},
            {"1632", "Taguig", "Metro Manila", 3, false},
            {"1637", "Taguig", "Metro Manila", 3, false},
            {"1200", "Makati", "Metro Manila", 3, false},
            {"1210", "Makati", "Metro Manila", 3, false},
            {"1215", "Makati", "Metro Manila", 2, false},
            {"1300", "Pasay", "Metro Manila", 4, true},
            {"1302", "Pasay", "Metro Manila", 2, true},
            {"1700", "Parañaque", "Metro Manila", 4, false},
            {"1709", "Parañaque", "Metro Manila", 2, false},
            {"1740", "Las Piñas", "Metro Manila", 4, false},
            {"1747", "Las Piñas", "Metro Manila", 2, false},
            {"1770", "Muntinlupa", "Metro Manila", 3, false},
            {"1776", "Muntinlupa", "Metro Manila", 2, false},
            {"1800", "Marikina", "Metro Manila", 5, false},
            {"1810", "Marikina", "Metro Manila", 3, false},
            // Bulacan
            {"3000", "Malolos", "Bulacan", 4, false},
            {"3001", "Paombong", "Bulacan", 1, false},
            {"3002", "Hagonoy", "Bulacan", 2, false},
            {"3003", "Calumpit", "Bulacan", 2, false},
            {"3004", "Plaridel", "Bulacan", 2, false},
            {"3005", "Pulilan", "Bulacan", 2, false},
            {"3006", "Baliuag", "Bulacan", 3, false},
            {"3007", "Bustos", "Bulacan", 1, false},
            {"3008", "San Rafael", "Bulacan", 1, false},
            {"3010", "San Ildefonso", "Bulacan", 1, false},
            {"3011", "San Miguel", "Bulacan", 1, false},
            {"3012", "Angat", "Bulacan", 1, false},
            {"3013", "Norzagaray", "Bulacan", 2, false},
            {"3014", "Pandi", "Bulacan", 1, false},
            {"3015", "Guiguinto", "Bulacan", 2, false},
            {"3016", "Balagtas", "Bulacan", 2, false},
            {"3017", "Bulakan", "Bulacan", 1, false},
            {"3018", "Bocaue", "Bulacan", 3, false},
            {"3019", "Marilao", "Bulacan", 3, false},
            {"3020", "Meycauayan", "Bulacan", 4, false},
            {"3021", "Obando", "Bulacan", 2, false},
            {"3022", "Santa Maria", "Bulacan", 3, false},
            {"3023", "San Jose del Monte", "Bulacan", 6, false},
            // Rizal
            {"1850", "San Mateo", "Rizal", 3, false},
            {"1860", "Rodriguez", "Rizal", 4, false},
            {"1870", "Antipolo", "Rizal", 6, false},
            {"1880", "Teresa", "Rizal", 1, false},
            {"1900", "Cainta", "Rizal", 4, false},
            {"1910", "Pililla", "Rizal", 1, false},
            {"1920", "Taytay", "Rizal", 4, false},
            {"1930", "Angono", "Rizal", 2, false},
            {"1940", "Binangonan", "Rizal", 3, false},
            {"1950", "Cardona", "Rizal", 1, false},
            {"1960", "Morong", "Rizal", 1, false},
            {"1970", "Baras", "Rizal", 1, false},
            {"1980", "Tanay", "Rizal", 1, false},
            {"1990", "Jalajala", "Rizal", 1, false},
            // Cavite
            {"4100", "Cavite City", "Cavite", 2, false},
            {"4102", "Bacoor", "Cavite", 5, false},
            {"4103", "Imus", "Cavite", 4, false},
            {"4104", "Kawit", "Cavite", 2, false},
            {"4105", "Noveleta", "Cavite", 1, false},
            {"4106", "Rosario", "Cavite", 2, false},
            {"4107", "General Trias", "Cavite", 3, false},
            {"4108", "Tanza", "Cavite", 2, false},
            {"4109", "Trece Martires", "Cavite", 1, false},
            {"4110", "Naic", "Cavite", 1, false},
            {"4114", "Dasmariñas", "Cavite", 5, false},
            {"4116", "Carmona", "Cavite", 1, false},
            {"4117", "General Mariano Alvarez", "Cavite", 2, false},
            {"4118", "Silang", "Cavite", 2, false},
            {"4120", "Tagaytay", "Cavite", 1, false},
            {"4122", "Indang", "Cavite", 1, false},
            // Laguna
            {"4000", "San Pablo", "Laguna", 2, false},
            {"4002", "Nagcarlan", "Laguna", 1, false},
            {"4008", "Pagsanjan", "Laguna", 1, false},
            {"4009", "Santa Cruz", "Laguna", 2, false},
            {"4010", "Pila", "Laguna", 1, false},
            {"4012", "Calauan", "Laguna", 1, false},
            {"4019", "Siniloan", "Laguna", 1, false},
            {"4023", "San Pedro", "Laguna", 3, false},
            {"4024", "Biñan", "Laguna", 3, false},
            {"4025", "Cabuyao", "Laguna", 2, false},
            {"4026", "Santa Rosa", "Laguna", 3, false},
            {"4027", "Calamba", "Laguna", 3, false},
            {"4030", "Los Baños", "Laguna", 2, false},
            {"4033", "Bay", "Laguna", 1, false},
            // Pampanga
            {"2000", "San Fernando", "Pampanga", 3, false},
            {"2001", "Bacolor", "Pampanga", 1, false},
            {"2002", "Santa Rita", "Pampanga", 1, false},
            {"2003", "Guagua", "Pampanga", 2, false},
            {"2005", "Lubao", "Pampanga", 1, false},
            {"2008", "Porac", "Pampanga", 1, false},
            {"2009", "Angeles", "Pampanga", 3, false},
            {"2010", "Mabalacat", "Pampanga", 2, false},
            {"2011", "Magalang", "Pampanga", 1, false},
            {"2012", "Arayat", "Pampanga", 1, false},
            {"2013", "Candaba", "Pampanga", 1, false},
            {"2016", "Apalit", "Pampanga", 1, false},
            {"2018", "Macabebe", "Pampanga", 1, false},
            {"2021", "Mexico", "Pampanga", 1, false},
            // Batangas
            {"4200", "Batangas City", "Batangas", 2, false},
            {"4201", "Bauan", "Batangas", 1, false},
            {"4209", "Lemery", "Batangas", 1, false},
            {"4212", "Calaca", "Batangas", 1, false},
            {"4213", "Balayan", "Batangas", 1, false},
            {"4217", "Lipa", "Batangas", 2, false},
            {"4225", "Rosario", "Batangas", 1, false},
            {"4231", "Nasugbu", "Batangas", 1, false},
            {"4232", "Tanauan", "Batangas", 2, false},
            {"4234", "Santo Tomas", "Batangas", 1, false},
            // Central and Northern Luzon
            {"3100", "Cabanatuan", "Nueva Ecija", 2, false},
            {"3105", "Gapan", "Nueva Ecija", 1, false},
            {"3114", "Talavera", "Nueva Ecija", 1, false},
            {"3119", "Science City of Muñoz", "Nueva Ecija", 1, false},
            {"3121", "San Jose City", "Nueva Ecija", 1, false},
            {"2300", "Tarlac City", "Tarlac", 2, false},
            {"2307", "Paniqui", "Tarlac", 1, false},
            {"2315", "Capas", "Tarlac", 1, false},
            {"2316", "Concepcion", "Tarlac", 1, false},
            {"2100", "Balanga", "Bataan", 1, false},
            {"2105", "Mariveles", "Bataan", 1, false},
            {"2110", "Dinalupihan", "Bataan", 1, false},
            {"2112", "Orani", "Bataan", 1, false},
            {"2200", "Olongapo", "Zambales", 2, false},
            {"2201", "Iba", "Zambales", 1, false},
            {"2400", "Dagupan", "Pangasinan", 1, false},
            {"2401", "Lingayen", "Pangasinan", 1, false},
            {"2428", "Urdaneta", "Pangasinan", 1, false},
            {"2600", "Baguio", "Benguet", 1, false},
            {"2900", "Laoag", "Ilocos Norte", 1, false},
            {"3500", "Tuguegarao", "Cagayan", 1, false},
            // Southern Luzon
            {"4301", "Lucena", "Quezon", 2, false},
            {"4322", "Sariaya", "Quezon", 1, false},
            {"4327", "Tayabas", "Quezon", 1, false},
            {"4400", "Naga", "Camarines Sur", 1, false},
            {"4500", "Legazpi", "Albay", 1, false},
            {"5200", "Calapan", "Oriental Mindoro", 1, false},
            {"5300", "Puerto Princesa", "Palawan", 0, false},
            {"5400", "Masbate City", "Masbate", 0, false},
            // Visayas and Mindanao: mostly birthplaces of people who moved to Luzon
            {"5000", "Iloilo City", "Iloilo", 1, false},
            {"5800", "Roxas City", "Capiz", 0, false},
            {"6000", "Cebu City", "Cebu", 1, false},
            {"6100", "Bacolod", "Negros Occidental", 0, false},
            {"6200", "Dumaguete", "Negros Oriental", 0, false},
            {"6500", "Tacloban", "Leyte", 1, false},
            {"6541", "Ormoc", "Leyte", 0, false},
            {"6700", "Catbalogan", "Samar", 0, false},
            {"7000", "Zamboanga City", "Zamboanga del Sur", 0, false},
            {"8000", "Davao City", "Davao del Sur", 1, false},
            {"8600", "Butuan", "Agusan del Norte", 0, false},
            {"9000", "Cagayan de Oro", "Misamis Oriental", 0, false},
            {"9500", "General Santos", "South Cotabato", 0, false},
        };
        QVector<Town> t;
        for (const Row& r : rows)
            t.append({QString::fromLatin1(r.zip), QString::fromUtf8(r.town),
                      QString::fromUtf8(r.province), r.weight, r.numbered});
        return t;
    }();
    return v;
}

} // namespace hospitalgen
