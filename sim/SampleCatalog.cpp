#include "SampleCatalog.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace Zel::Sim::Catalog {

namespace {

struct StateEntry
{
    const char* region;
    const char* state;
    int weight;
    const char* cities[3];
};

// Larger states and, within a state, the first (largest) city get more of the orders.
constexpr StateEntry kStates[] = {
    {"East", "New York", 3, {"New York City", "Buffalo", "Rochester"}},
    {"East", "Pennsylvania", 2, {"Philadelphia", "Pittsburgh", "Allentown"}},
    {"East", "Massachusetts", 2, {"Boston", "Worcester", "Cambridge"}},
    {"East", "New Jersey", 1, {"Newark", "Jersey City", "Trenton"}},
    {"East", "Connecticut", 1, {"Hartford", "New Haven", "Stamford"}},
    {"West", "California", 4, {"Los Angeles", "San Francisco", "San Diego"}},
    {"West", "Washington", 2, {"Seattle", "Spokane", "Tacoma"}},
    {"West", "Oregon", 1, {"Portland", "Eugene", "Salem"}},
    {"West", "Colorado", 1, {"Denver", "Colorado Springs", "Boulder"}},
    {"West", "Arizona", 1, {"Phoenix", "Tucson", "Mesa"}},
    {"Central", "Illinois", 2, {"Chicago", "Naperville", "Peoria"}},
    {"Central", "Michigan", 1, {"Detroit", "Grand Rapids", "Lansing"}},
    {"Central", "Minnesota", 1, {"Minneapolis", "Saint Paul", "Duluth"}},
    {"Central", "Ohio", 2, {"Columbus", "Cleveland", "Cincinnati"}},
    {"Central", "Wisconsin", 1, {"Milwaukee", "Madison", "Green Bay"}},
    {"South", "Texas", 3, {"Houston", "Dallas", "Austin"}},
    {"South", "Florida", 2, {"Miami", "Orlando", "Tampa"}},
    {"South", "Georgia", 1, {"Atlanta", "Savannah", "Augusta"}},
    {"South", "North Carolina", 1, {"Charlotte", "Raleigh", "Durham"}},
    {"South", "Tennessee", 1, {"Nashville", "Memphis", "Knoxville"}},
};
constexpr int kCityShare[3] = {5, 3, 2};

struct SubCategoryEntry
{
    const char* category;
    const char* subCategory;
    double basePrice;
    double margin;
    const char* items[7];
};

constexpr SubCategoryEntry kSubCategories[] = {
    {"Furniture", "Bookcases", 180, 0.08,
        {"3-Shelf Bookcase", "5-Shelf Bookcase", "Corner Bookcase", "Ladder Shelf", "Barrister Bookcase",
            "Cube Organizer", "Open Back Bookcase"}},
    {"Furniture", "Chairs", 220, 0.10,
        {"Task Chair", "Executive Chair", "Mesh Office Chair", "Stacking Chair", "Drafting Stool", "Ergonomic Chair",
            "Guest Chair"}},
    {"Furniture", "Desks", 380, 0.06,
        {"Writing Desk", "Standing Desk", "L-Shaped Desk", "Computer Desk", "Executive Desk", "Student Desk",
            "Corner Desk"}},
    {"Furniture", "Lamps", 45, 0.22,
        {"Desk Lamp", "Floor Lamp", "LED Task Light", "Clamp Lamp", "Banker's Lamp", "Arc Floor Lamp", "Table Lamp"}},
    {"Furniture", "Cabinets", 260, 0.09,
        {"2-Drawer File Cabinet", "4-Drawer File Cabinet", "Lateral File", "Storage Cabinet", "Mobile Pedestal",
            "Supply Cabinet", "Flat File"}},
    {"Office Supplies", "Binders", 14, 0.30,
        {"1-Inch Ring Binder", "2-Inch Ring Binder", "Presentation Binder", "Zipper Binder", "View Binder",
            "Heavy Duty Binder", "Mini Binder"}},
    {"Office Supplies", "Paper", 22, 0.35,
        {"Copy Paper, 500 Sheets", "Premium Laser Paper", "Cardstock Pack", "Legal Pads, 12 Pack", "Sticky Notes",
            "Graph Paper", "Colored Paper Assortment"}},
    {"Office Supplies", "Pens", 9, 0.32,
        {"Gel Pens, 12 Pack", "Ballpoint Pens, 24 Pack", "Fine Liners", "Highlighters, 6 Pack", "Dry Erase Markers",
            "Mechanical Pencils", "Fountain Pen"}},
    {"Office Supplies", "Envelopes", 12, 0.33,
        {"#10 Envelopes, 100 Box", "Padded Mailers", "Catalog Envelopes", "Security Envelopes", "Window Envelopes",
            "Clasp Envelopes", "Poly Mailers"}},
    {"Office Supplies", "Storage Boxes", 35, 0.15,
        {"File Storage Box", "Archive Box, 10 Pack", "Plastic Storage Bin", "Letter Tray", "Magazine File",
            "Drawer Organizer", "Rolling Storage Cart"}},
    {"Technology", "Phones", 320, 0.14,
        {"Smartphone 64GB", "Smartphone 128GB", "Conference Phone", "Cordless Phone", "VoIP Desk Phone",
            "Headset Phone", "Rugged Phone"}},
    {"Technology", "Laptops", 1100, 0.11,
        {"13-Inch Ultrabook", "14-Inch Notebook", "15-Inch Laptop", "17-Inch Workstation", "2-in-1 Convertible",
            "Chromebook", "Gaming Laptop"}},
    {"Technology", "Monitors", 240, 0.12,
        {"22-Inch Monitor", "24-Inch Monitor", "27-Inch Monitor", "32-Inch 4K Monitor", "Curved Ultrawide Monitor",
            "Portable Monitor", "Touchscreen Monitor"}},
    {"Technology", "Printers", 290, 0.16,
        {"Laser Printer", "Inkjet Printer", "All-in-One Printer", "Label Printer", "Photo Printer",
            "Color Laser Printer", "Receipt Printer"}},
    {"Technology", "Accessories", 40, 0.25,
        {"Wireless Mouse", "Mechanical Keyboard", "USB-C Hub", "Webcam", "Laptop Stand", "Noise-Cancelling Headphones",
            "External SSD 1TB"}},
};

constexpr const char* kBrands[] = {"Alder", "Brightline", "Cobalt", "Dunmore", "Evergreen", "Fairway", "Granite",
    "Harbor", "Ionic", "Juniper", "Keystone", "Lumen"};

constexpr const char* kFirstNames[] = {"Aaron", "Adriana", "Alan", "Alicia", "Amir", "Ana", "Benjamin", "Beatriz",
    "Carlos", "Chloe", "Daniel", "Deepa", "Elena", "Ethan", "Farah", "Felix", "Grace", "Hannah", "Hiroshi", "Ines",
    "Isaac", "Jamal", "Julia", "Kevin", "Laura", "Liam", "Maria", "Mei", "Nathan", "Nora", "Omar", "Paula", "Quentin",
    "Rachel", "Samuel", "Sofia", "Tomas", "Valerie", "Walter", "Yusuf"};

constexpr const char* kLastNames[]
    = {"Anderson", "Baker", "Castillo", "Dubois", "Edwards", "Fischer", "Garcia", "Hughes", "Ivanova", "Jensen",
        "Kowalski", "Lindqvist", "Morales", "Nakamura", "O'Brien", "Patel", "Quinn", "Rossi", "Schmidt", "Thompson",
        "Underwood", "Valdez", "Weber", "Xu", "Yamada", "Zimmerman", "Bennett", "Carter", "Delgado", "Foster"};

} // namespace

const QString& Country()
{
    static const QString country = QStringLiteral("United States");
    return country;
}

const std::vector<City>& Cities()
{
    static const std::vector<City> cities = [] {
        std::vector<City> all;
        for (const StateEntry& state : kStates) {
            for (int i = 0; i < 3; ++i)
                all.push_back(City {QString::fromUtf8(state.region), QString::fromUtf8(state.state),
                    QString::fromUtf8(state.cities[i]), state.weight * kCityShare[i]});
        }
        return all;
    }();
    return cities;
}

const std::vector<Product>& Products()
{
    static const std::vector<Product> products = [] {
        std::vector<Product> all;
        constexpr int brandCount = static_cast<int>(std::size(kBrands));
        int s = 0;
        for (const SubCategoryEntry& sub : kSubCategories) {
            for (int j = 0; j < 7; ++j) {
                const QString brand = QString::fromUtf8(kBrands[(s * 5 + j * 7) % brandCount]);
                // Spread prices around the sub-category's base so that products differ visibly.
                const double factor = 0.55 + ((j * 37 + s * 11) % 10) * 0.12;
                all.push_back(Product {QString::fromUtf8(sub.category), QString::fromUtf8(sub.subCategory),
                    brand + QLatin1Char(' ') + QString::fromUtf8(sub.items[j]),
                    std::round(sub.basePrice * factor * 100.0) / 100.0, sub.margin});
            }
            ++s;
        }
        return all;
    }();
    return products;
}

const std::vector<ShipMode>& ShipModes()
{
    static const std::vector<ShipMode> modes = {
        {QStringLiteral("Same Day"), 5, 0, 0},
        {QStringLiteral("Express"), 20, 1, 2},
        {QStringLiteral("Standard"), 60, 3, 5},
        {QStringLiteral("Freight"), 15, 5, 9},
    };
    return modes;
}

const std::vector<QString>& Segments()
{
    static const std::vector<QString> segments
        = {QStringLiteral("Consumer"), QStringLiteral("Corporate"), QStringLiteral("Home Office")};
    return segments;
}

std::vector<QString> CustomerNames()
{
    std::vector<QString> names;
    for (const char* last : kLastNames) {
        for (const char* first : kFirstNames)
            names.push_back(QString::fromUtf8(first) + QLatin1Char(' ') + QString::fromUtf8(last));
    }
    return names;
}

std::vector<SalesTarget> SalesTargets()
{
    auto firstSeen = [](std::vector<QString>& into, const QString& value) {
        if (std::find(into.begin(), into.end(), value) == into.end())
            into.push_back(value);
    };
    std::vector<QString> regions;
    for (const City& city : Cities())
        firstSeen(regions, city.region);
    std::vector<QString> categories;
    for (const Product& product : Products())
        firstSeen(categories, product.category);

    // Its own seed, so that the orders table does not change when the targets do.
    Random random(0x5A1E5A1E7A26E75ull);
    std::vector<SalesTarget> targets;
    for (const QString& region : regions) {
        for (const QString& category : categories) {
            for (int month = 1; month <= 12; month += 3) {
                const double target = std::round((20000.0 + random.Unit() * 60000.0) / 100.0) * 100.0;
                targets.push_back(SalesTarget {region, category, QDate(2023, month, 1), target});
            }
        }
    }
    return targets;
}

} // namespace Zel::Sim::Catalog
