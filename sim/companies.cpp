#include "companies.h"

#include <QHash>
#include <QStringList>

namespace {

// symbol|name|exchange code|kind (S equity, E fund traded on an exchange, I index, M mutual fund;
// S when left out). Indices and mutual funds trade on no exchange.
const char *const Universe = R"(
A|Agilent Technologies, Inc.|NYQ
AA|Alcoa Corporation|NYQ
AAL|American Airlines Group Inc.|NMS
AAP|Advance Auto Parts, Inc.|NYQ
AAPL|Apple Inc.|NMS
ABBV|AbbVie Inc.|NYQ
ABC|AmerisourceBergen Corporation|NYQ
ABNB|Airbnb, Inc.|NMS
ABT|Abbott Laboratories|NYQ
ACGL|Arch Capital Group Ltd.|NMS
ACN|Accenture plc|NYQ
ADBE|Adobe Inc.|NMS
ADI|Analog Devices, Inc.|NMS
ADM|Archer-Daniels-Midland Company|NYQ
ADP|Automatic Data Processing, Inc.|NMS
ADSK|Autodesk, Inc.|NMS
AEE|Ameren Corporation|NYQ
AEP|American Electric Power Company, Inc.|NMS
AES|The AES Corporation|NYQ
AFL|Aflac Incorporated|NYQ
AIG|American International Group, Inc.|NYQ
AIZ|Assurant, Inc.|NYQ
AJG|Arthur J. Gallagher & Co.|NYQ
AKAM|Akamai Technologies, Inc.|NMS
ALB|Albemarle Corporation|NYQ
ALGN|Align Technology, Inc.|NMS
ALK|Alaska Air Group, Inc.|NYQ
ALL|The Allstate Corporation|NYQ
ALLE|Allegion plc|NYQ
AMAT|Applied Materials, Inc.|NMS
AMCR|Amcor plc|NYQ
AMD|Advanced Micro Devices, Inc.|NMS
AME|AMETEK, Inc.|NYQ
AMGN|Amgen Inc.|NMS
AMP|Ameriprise Financial, Inc.|NYQ
AMT|American Tower Corporation|NYQ
AMZN|Amazon.com, Inc.|NMS
ANET|Arista Networks, Inc.|NYQ
ANSS|ANSYS, Inc.|NMS
AON|Aon plc|NYQ
AOS|A. O. Smith Corporation|NYQ
APA|APA Corporation|NMS
APD|Air Products and Chemicals, Inc.|NYQ
APH|Amphenol Corporation|NYQ
APTV|Aptiv PLC|NYQ
ARE|Alexandria Real Estate Equities, Inc.|NYQ
ATO|Atmos Energy Corporation|NYQ
AVB|AvalonBay Communities, Inc.|NYQ
AVGO|Broadcom Inc.|NMS
AVY|Avery Dennison Corporation|NYQ
AWK|American Water Works Company, Inc.|NYQ
AXP|American Express Company|NYQ
AZO|AutoZone, Inc.|NYQ
BA|The Boeing Company|NYQ
BAC|Bank of America Corporation|NYQ
BALL|Ball Corporation|NYQ
BAX|Baxter International Inc.|NYQ
BBWI|Bath & Body Works, Inc.|NYQ
BBY|Best Buy Co., Inc.|NYQ
BDX|Becton, Dickinson and Company|NYQ
BEN|Franklin Resources, Inc.|NYQ
BF-B|Brown-Forman Corporation|NYQ
BIIB|Biogen Inc.|NMS
BIO|Bio-Rad Laboratories, Inc.|NYQ
BK|The Bank of New York Mellon Corporation|NYQ
BKNG|Booking Holdings Inc.|NMS
BKR|Baker Hughes Company|NMS
BLK|BlackRock, Inc.|NYQ
BMY|Bristol-Myers Squibb Company|NYQ
BR|Broadridge Financial Solutions, Inc.|NYQ
BRK-A|Berkshire Hathaway Inc.|NYQ
BRK-B|Berkshire Hathaway Inc.|NYQ
BRO|Brown & Brown, Inc.|NYQ
BSX|Boston Scientific Corporation|NYQ
BWA|BorgWarner Inc.|NYQ
BXP|Boston Properties, Inc.|NYQ
C|Citigroup Inc.|NYQ
CAG|Conagra Brands, Inc.|NYQ
CAH|Cardinal Health, Inc.|NYQ
CARR|Carrier Global Corporation|NYQ
CAT|Caterpillar Inc.|NYQ
CB|Chubb Limited|NYQ
CBOE|Cboe Global Markets, Inc.|BTS
CBRE|CBRE Group, Inc.|NYQ
CCI|Crown Castle Inc.|NYQ
CCL|Carnival Corporation & plc|NYQ
CDAY|Ceridian HCM Holding Inc.|NYQ
CDNS|Cadence Design Systems, Inc.|NMS
CDW|CDW Corporation|NMS
CE|Celanese Corporation|NYQ
CEG|Constellation Energy Corporation|NMS
CF|CF Industries Holdings, Inc.|NYQ
CFG|Citizens Financial Group, Inc.|NYQ
CHD|Church & Dwight Co., Inc.|NYQ
CHRW|C.H. Robinson Worldwide, Inc.|NMS
CHTR|Charter Communications, Inc.|NMS
CI|The Cigna Group|NYQ
CINF|Cincinnati Financial Corporation|NMS
CL|Colgate-Palmolive Company|NYQ
CLX|The Clorox Company|NYQ
CMA|Comerica Incorporated|NYQ
CMCSA|Comcast Corporation|NMS
CME|CME Group Inc.|NMS
CMG|Chipotle Mexican Grill, Inc.|NYQ
CMI|Cummins Inc.|NYQ
CMS|CMS Energy Corporation|NYQ
CNC|Centene Corporation|NYQ
CNP|CenterPoint Energy, Inc.|NYQ
COF|Capital One Financial Corporation|NYQ
COO|The Cooper Companies, Inc.|NMS
COP|ConocoPhillips|NYQ
COST|Costco Wholesale Corporation|NMS
CPB|Campbell Soup Company|NYQ
CPRT|Copart, Inc.|NMS
CPT|Camden Property Trust|NYQ
CRL|Charles River Laboratories International, Inc.|NYQ
CRM|Salesforce, Inc.|NYQ
CSCO|Cisco Systems, Inc.|NMS
CSGP|CoStar Group, Inc.|NMS
CSX|CSX Corporation|NMS
CTAS|Cintas Corporation|NMS
CTLT|Catalent, Inc.|NYQ
CTRA|Coterra Energy Inc.|NYQ
CTSH|Cognizant Technology Solutions Corporation|NMS
CTVA|Corteva, Inc.|NYQ
CVS|CVS Health Corporation|NYQ
CVX|Chevron Corporation|NYQ
CZR|Caesars Entertainment, Inc.|NMS
D|Dominion Energy, Inc.|NYQ
DAL|Delta Air Lines, Inc.|NYQ
DD|DuPont de Nemours, Inc.|NYQ
DE|Deere & Company|NYQ
DFS|Discover Financial Services|NYQ
DG|Dollar General Corporation|NYQ
DGX|Quest Diagnostics Incorporated|NYQ
DHI|D.R. Horton, Inc.|NYQ
DHR|Danaher Corporation|NYQ
DIS|The Walt Disney Company|NYQ
DLR|Digital Realty Trust, Inc.|NYQ
DLTR|Dollar Tree, Inc.|NMS
DOV|Dover Corporation|NYQ
DOW|Dow Inc.|NYQ
DPZ|Domino's Pizza, Inc.|NYQ
DRI|Darden Restaurants, Inc.|NYQ
DTE|DTE Energy Company|NYQ
DUK|Duke Energy Corporation|NYQ
DVA|DaVita Inc.|NYQ
DVN|Devon Energy Corporation|NYQ
DXC|DXC Technology Company|NYQ
DXCM|DexCom, Inc.|NMS
EA|Electronic Arts Inc.|NMS
EBAY|eBay Inc.|NMS
ECL|Ecolab Inc.|NYQ
ED|Consolidated Edison, Inc.|NYQ
EFX|Equifax Inc.|NYQ
EG|Everest Group, Ltd.|NYQ
EIX|Edison International|NYQ
EL|The Estee Lauder Companies Inc.|NYQ
ELV|Elevance Health, Inc.|NYQ
EMN|Eastman Chemical Company|NYQ
EMR|Emerson Electric Co.|NYQ
ENPH|Enphase Energy, Inc.|NMS
EOG|EOG Resources, Inc.|NYQ
EPAM|EPAM Systems, Inc.|NYQ
EQIX|Equinix, Inc.|NMS
EQR|Equity Residential|NYQ
EQT|EQT Corporation|NYQ
ES|Eversource Energy|NYQ
ESS|Essex Property Trust, Inc.|NYQ
ETN|Eaton Corporation plc|NYQ
ETR|Entergy Corporation|NYQ
ETSY|Etsy, Inc.|NMS
EVRG|Evergy, Inc.|NMS
EW|Edwards Lifesciences Corporation|NYQ
EXC|Exelon Corporation|NMS
EXPD|Expeditors International of Washington, Inc.|NYQ
EXPE|Expedia Group, Inc.|NMS
EXR|Extra Space Storage Inc.|NYQ
F|Ford Motor Company|NYQ
FANG|Diamondback Energy, Inc.|NMS
FAST|Fastenal Company|NMS
FCX|Freeport-McMoRan Inc.|NYQ
FDS|FactSet Research Systems Inc.|NYQ
FDX|FedEx Corporation|NYQ
FE|FirstEnergy Corp.|NYQ
FFIV|F5, Inc.|NMS
FI|Fiserv, Inc.|NYQ
FICO|Fair Isaac Corporation|NYQ
FIS|Fidelity National Information Services, Inc.|NYQ
FITB|Fifth Third Bancorp|NMS
FLT|FleetCor Technologies, Inc.|NYQ
FMC|FMC Corporation|NYQ
FOX|Fox Corporation|NMS
FOXA|Fox Corporation|NMS
FRT|Federal Realty Investment Trust|NYQ
FSLR|First Solar, Inc.|NMS
FTNT|Fortinet, Inc.|NMS
FTV|Fortive Corporation|NYQ
GD|General Dynamics Corporation|NYQ
GE|General Electric Company|NYQ
GEHC|GE HealthCare Technologies Inc.|NMS
GEN|Gen Digital Inc.|NMS
GILD|Gilead Sciences, Inc.|NMS
GIS|General Mills, Inc.|NYQ
GL|Globe Life Inc.|NYQ
GLW|Corning Incorporated|NYQ
GM|General Motors Company|NYQ
GNRC|Generac Holdings Inc.|NYQ
GOOG|Alphabet Inc.|NMS
GOOGL|Alphabet Inc.|NMS
GPC|Genuine Parts Company|NYQ
GPN|Global Payments Inc.|NYQ
GRMN|Garmin Ltd.|NYQ
GS|The Goldman Sachs Group, Inc.|NYQ
GWW|W.W. Grainger, Inc.|NYQ
HAL|Halliburton Company|NYQ
HAS|Hasbro, Inc.|NMS
HBAN|Huntington Bancshares Incorporated|NMS
HCA|HCA Healthcare, Inc.|NYQ
HD|The Home Depot, Inc.|NYQ
HES|Hess Corporation|NYQ
HIG|The Hartford Financial Services Group, Inc.|NYQ
HII|Huntington Ingalls Industries, Inc.|NYQ
HLT|Hilton Worldwide Holdings Inc.|NYQ
HOLX|Hologic, Inc.|NMS
HON|Honeywell International Inc.|NMS
HPE|Hewlett Packard Enterprise Company|NYQ
HPQ|HP Inc.|NYQ
HRL|Hormel Foods Corporation|NYQ
HSIC|Henry Schein, Inc.|NMS
HST|Host Hotels & Resorts, Inc.|NMS
HSY|The Hershey Company|NYQ
HUM|Humana Inc.|NYQ
HWM|Howmet Aerospace Inc.|NYQ
IBM|International Business Machines Corporation|NYQ
ICE|Intercontinental Exchange, Inc.|NYQ
IDXX|IDEXX Laboratories, Inc.|NMS
IEX|IDEX Corporation|NYQ
IFF|International Flavors & Fragrances Inc.|NYQ
ILMN|Illumina, Inc.|NMS
INCY|Incyte Corporation|NMS
INTC|Intel Corporation|NMS
INTU|Intuit Inc.|NMS
INVH|Invitation Homes Inc.|NYQ
IP|International Paper Company|NYQ
IPG|The Interpublic Group of Companies, Inc.|NYQ
IQV|IQVIA Holdings Inc.|NYQ
IR|Ingersoll Rand Inc.|NYQ
IRM|Iron Mountain Incorporated|NYQ
ISRG|Intuitive Surgical, Inc.|NMS
IT|Gartner, Inc.|NYQ
ITW|Illinois Tool Works Inc.|NYQ
IVZ|Invesco Ltd.|NYQ
J|Jacobs Solutions Inc.|NYQ
JBHT|J.B. Hunt Transport Services, Inc.|NMS
JCI|Johnson Controls International plc|NYQ
JKHY|Jack Henry & Associates, Inc.|NMS
JNJ|Johnson & Johnson|NYQ
JNPR|Juniper Networks, Inc.|NYQ
JPM|JPMorgan Chase & Co.|NYQ
K|Kellogg Company|NYQ
KDP|Keurig Dr Pepper Inc.|NMS
KEY|KeyCorp|NYQ
KEYS|Keysight Technologies, Inc.|NYQ
KHC|The Kraft Heinz Company|NMS
KIM|Kimco Realty Corporation|NYQ
KLAC|KLA Corporation|NMS
KMB|Kimberly-Clark Corporation|NYQ
KMI|Kinder Morgan, Inc.|NYQ
KMX|CarMax, Inc.|NYQ
KO|The Coca-Cola Company|NYQ
KR|The Kroger Co.|NYQ
L|Loews Corporation|NYQ
LDOS|Leidos Holdings, Inc.|NYQ
LEN|Lennar Corporation|NYQ
LH|Laboratory Corporation of America Holdings|NYQ
LHX|L3Harris Technologies, Inc.|NYQ
LIN|Linde plc|NYQ
LKQ|LKQ Corporation|NMS
LLY|Eli Lilly and Company|NYQ
LMT|Lockheed Martin Corporation|NYQ
LNC|Lincoln National Corporation|NYQ
LNT|Alliant Energy Corporation|NMS
LOW|Lowe's Companies, Inc.|NYQ
LRCX|Lam Research Corporation|NMS
LUV|Southwest Airlines Co.|NYQ
LVS|Las Vegas Sands Corp.|NYQ
LW|Lamb Weston Holdings, Inc.|NYQ
LYB|LyondellBasell Industries N.V.|NYQ
LYV|Live Nation Entertainment, Inc.|NYQ
MA|Mastercard Incorporated|NYQ
MAA|Mid-America Apartment Communities, Inc.|NYQ
MAR|Marriott International, Inc.|NMS
MAS|Masco Corporation|NYQ
MCD|McDonald's Corporation|NYQ
MCHP|Microchip Technology Incorporated|NMS
MCK|McKesson Corporation|NYQ
MCO|Moody's Corporation|NYQ
MDLZ|Mondelez International, Inc.|NMS
MDT|Medtronic plc|NYQ
MET|MetLife, Inc.|NYQ
META|Meta Platforms, Inc.|NMS
MGM|MGM Resorts International|NYQ
MHK|Mohawk Industries, Inc.|NYQ
MKC|McCormick & Company, Incorporated|NYQ
MKTX|MarketAxess Holdings Inc.|NMS
MLM|Martin Marietta Materials, Inc.|NYQ
MMC|Marsh & McLennan Companies, Inc.|NYQ
MMM|3M Company|NYQ
MNST|Monster Beverage Corporation|NMS
MO|Altria Group, Inc.|NYQ
MOH|Molina Healthcare, Inc.|NYQ
MOS|The Mosaic Company|NYQ
MPC|Marathon Petroleum Corporation|NYQ
MPWR|Monolithic Power Systems, Inc.|NMS
MRK|Merck & Co., Inc.|NYQ
MRNA|Moderna, Inc.|NMS
MRO|Marathon Oil Corporation|NYQ
MS|Morgan Stanley|NYQ
MSCI|MSCI Inc.|NYQ
MSFT|Microsoft Corporation|NMS
MSI|Motorola Solutions, Inc.|NYQ
MTB|M&T Bank Corporation|NYQ
MTCH|Match Group, Inc.|NMS
MTD|Mettler-Toledo International Inc.|NYQ
MU|Micron Technology, Inc.|NMS
NCLH|Norwegian Cruise Line Holdings Ltd.|NYQ
NDAQ|Nasdaq, Inc.|NMS
NDSN|Nordson Corporation|NMS
NEE|NextEra Energy, Inc.|NYQ
NEM|Newmont Corporation|NYQ
NFLX|Netflix, Inc.|NMS
NI|NiSource Inc.|NYQ
NKE|NIKE, Inc.|NYQ
NOC|Northrop Grumman Corporation|NYQ
NOW|ServiceNow, Inc.|NYQ
NRG|NRG Energy, Inc.|NYQ
NSC|Norfolk Southern Corporation|NYQ
NTAP|NetApp, Inc.|NMS
NTRS|Northern Trust Corporation|NMS
NUE|Nucor Corporation|NYQ
NVDA|NVIDIA Corporation|NMS
NVR|NVR, Inc.|NYQ
NWL|Newell Brands Inc.|NMS
NWS|News Corporation|NMS
NWSA|News Corporation|NMS
NXPI|NXP Semiconductors N.V.|NMS
O|Realty Income Corporation|NYQ
ODFL|Old Dominion Freight Line, Inc.|NMS
OKE|ONEOK, Inc.|NYQ
OMC|Omnicom Group Inc.|NYQ
ON|ON Semiconductor Corporation|NMS
ORCL|Oracle Corporation|NYQ
ORLY|O'Reilly Automotive, Inc.|NMS
OTIS|Otis Worldwide Corporation|NYQ
OXY|Occidental Petroleum Corporation|NYQ
PANW|Palo Alto Networks, Inc.|NMS
PARA|Paramount Global|NMS
PAYC|Paycom Software, Inc.|NYQ
PAYX|Paychex, Inc.|NMS
PCAR|PACCAR Inc|NMS
PCG|PG&E Corporation|NYQ
PEAK|Healthpeak Properties, Inc.|NYQ
PEG|Public Service Enterprise Group Incorporated|NYQ
PEP|PepsiCo, Inc.|NMS
PFE|Pfizer Inc.|NYQ
PFG|Principal Financial Group, Inc.|NMS
PG|The Procter & Gamble Company|NYQ
PGR|The Progressive Corporation|NYQ
PH|Parker-Hannifin Corporation|NYQ
PHM|PulteGroup, Inc.|NYQ
PKG|Packaging Corporation of America|NYQ
PLD|Prologis, Inc.|NYQ
PM|Philip Morris International Inc.|NYQ
PNC|The PNC Financial Services Group, Inc.|NYQ
PNR|Pentair plc|NYQ
PNW|Pinnacle West Capital Corporation|NYQ
PODD|Insulet Corporation|NMS
POOL|Pool Corporation|NMS
PPG|PPG Industries, Inc.|NYQ
PPL|PPL Corporation|NYQ
PRU|Prudential Financial, Inc.|NYQ
PSA|Public Storage|NYQ
PSX|Phillips 66|NYQ
PTC|PTC Inc.|NMS
PWR|Quanta Services, Inc.|NYQ
PXD|Pioneer Natural Resources Company|NYQ
PYPL|PayPal Holdings, Inc.|NMS
QCOM|QUALCOMM Incorporated|NMS
QRVO|Qorvo, Inc.|NMS
RCL|Royal Caribbean Cruises Ltd.|NYQ
REG|Regency Centers Corporation|NMS
REGN|Regeneron Pharmaceuticals, Inc.|NMS
RF|Regions Financial Corporation|NYQ
RHI|Robert Half Inc.|NYQ
RJF|Raymond James Financial, Inc.|NYQ
RL|Ralph Lauren Corporation|NYQ
RMD|ResMed Inc.|NYQ
ROK|Rockwell Automation, Inc.|NYQ
ROL|Rollins, Inc.|NYQ
ROP|Roper Technologies, Inc.|NMS
ROST|Ross Stores, Inc.|NMS
RSG|Republic Services, Inc.|NYQ
RTX|RTX Corporation|NYQ
RVTY|Revvity, Inc.|NYQ
SBAC|SBA Communications Corporation|NMS
SBUX|Starbucks Corporation|NMS
SCHW|The Charles Schwab Corporation|NYQ
SEE|Sealed Air Corporation|NYQ
SHW|The Sherwin-Williams Company|NYQ
SJM|The J. M. Smucker Company|NYQ
SLB|Schlumberger Limited|NYQ
SNA|Snap-on Incorporated|NYQ
SNPS|Synopsys, Inc.|NMS
SO|The Southern Company|NYQ
SPG|Simon Property Group, Inc.|NYQ
SPGI|S&P Global Inc.|NYQ
SRE|Sempra|NYQ
STE|STERIS plc|NYQ
STLD|Steel Dynamics, Inc.|NMS
STT|State Street Corporation|NYQ
STX|Seagate Technology Holdings plc|NMS
STZ|Constellation Brands, Inc.|NYQ
SWK|Stanley Black & Decker, Inc.|NYQ
SWKS|Skyworks Solutions, Inc.|NMS
SYF|Synchrony Financial|NYQ
SYK|Stryker Corporation|NYQ
SYY|Sysco Corporation|NYQ
T|AT&T Inc.|NYQ
TAP|Molson Coors Beverage Company|NYQ
TDG|TransDigm Group Incorporated|NYQ
TDY|Teledyne Technologies Incorporated|NYQ
TECH|Bio-Techne Corporation|NMS
TEL|TE Connectivity Ltd.|NYQ
TER|Teradyne, Inc.|NMS
TFC|Truist Financial Corporation|NYQ
TFX|Teleflex Incorporated|NYQ
TGT|Target Corporation|NYQ
TJX|The TJX Companies, Inc.|NYQ
TMO|Thermo Fisher Scientific Inc.|NYQ
TMUS|T-Mobile US, Inc.|NMS
TPR|Tapestry, Inc.|NYQ
TRGP|Targa Resources Corp.|NYQ
TRMB|Trimble Inc.|NMS
TROW|T. Rowe Price Group, Inc.|NMS
TRV|The Travelers Companies, Inc.|NYQ
TSCO|Tractor Supply Company|NMS
TSLA|Tesla, Inc.|NMS
TSN|Tyson Foods, Inc.|NYQ
TT|Trane Technologies plc|NYQ
TTWO|Take-Two Interactive Software, Inc.|NMS
TXN|Texas Instruments Incorporated|NMS
TXT|Textron Inc.|NYQ
TYL|Tyler Technologies, Inc.|NYQ
UAL|United Airlines Holdings, Inc.|NMS
UDR|UDR, Inc.|NYQ
UHS|Universal Health Services, Inc.|NYQ
ULTA|Ulta Beauty, Inc.|NMS
UNH|UnitedHealth Group Incorporated|NYQ
UNP|Union Pacific Corporation|NYQ
UPS|United Parcel Service, Inc.|NYQ
URI|United Rentals, Inc.|NYQ
USB|U.S. Bancorp|NYQ
V|Visa Inc.|NYQ
VFC|V.F. Corporation|NYQ
VICI|VICI Properties Inc.|NYQ
VLO|Valero Energy Corporation|NYQ
VMC|Vulcan Materials Company|NYQ
VRSK|Verisk Analytics, Inc.|NMS
VRSN|VeriSign, Inc.|NMS
VRTX|Vertex Pharmaceuticals Incorporated|NMS
VTR|Ventas, Inc.|NYQ
VTRS|Viatris Inc.|NMS
VZ|Verizon Communications Inc.|NYQ
WAB|Westinghouse Air Brake Technologies Corporation|NYQ
WAT|Waters Corporation|NYQ
WBA|Walgreens Boots Alliance, Inc.|NMS
WBD|Warner Bros. Discovery, Inc.|NMS
WDC|Western Digital Corporation|NMS
WEC|WEC Energy Group, Inc.|NYQ
WELL|Welltower Inc.|NYQ
WFC|Wells Fargo & Company|NYQ
WHR|Whirlpool Corporation|NYQ
WM|Waste Management, Inc.|NYQ
WMB|The Williams Companies, Inc.|NYQ
WMT|Walmart Inc.|NYQ
WRB|W. R. Berkley Corporation|NYQ
WRK|WestRock Company|NYQ
WST|West Pharmaceutical Services, Inc.|NYQ
WTW|Willis Towers Watson Public Limited Company|NMS
WY|Weyerhaeuser Company|NYQ
WYNN|Wynn Resorts, Limited|NMS
XEL|Xcel Energy Inc.|NMS
XOM|Exxon Mobil Corporation|NYQ
XRAY|DENTSPLY SIRONA Inc.|NMS
XYL|Xylem Inc.|NYQ
YUM|Yum! Brands, Inc.|NYQ
ZBH|Zimmer Biomet Holdings, Inc.|NYQ
ZBRA|Zebra Technologies Corporation|NMS
ZION|Zions Bancorporation, National Association|NMS
ZTS|Zoetis Inc.|NYQ
BABA|Alibaba Group Holding Limited|NYQ
BIDU|Baidu, Inc.|NMS
JD|JD.com, Inc.|NMS
PDD|PDD Holdings Inc.|NMS
TSM|Taiwan Semiconductor Manufacturing Company Limited|NYQ
ASML|ASML Holding N.V.|NMS
SAP|SAP SE|NYQ
SONY|Sony Group Corporation|NYQ
TM|Toyota Motor Corporation|NYQ
HMC|Honda Motor Co., Ltd.|NYQ
NVS|Novartis AG|NYQ
AZN|AstraZeneca PLC|NMS
GSK|GSK plc|NYQ
SNY|Sanofi|NMS
BP|BP p.l.c.|NYQ
SHEL|Shell plc|NYQ
TTE|TotalEnergies SE|NYQ
RIO|Rio Tinto Group|NYQ
BHP|BHP Group Limited|NYQ
VALE|Vale S.A.|NYQ
UL|Unilever PLC|NYQ
DEO|Diageo plc|NYQ
BUD|Anheuser-Busch InBev SA/NV|NYQ
HSBC|HSBC Holdings plc|NYQ
UBS|UBS Group AG|NYQ
ING|ING Groep N.V.|NYQ
SAN|Banco Santander, S.A.|NYQ
BCS|Barclays PLC|NYQ
DB|Deutsche Bank Aktiengesellschaft|NYQ
RY|Royal Bank of Canada|NYQ
TD|The Toronto-Dominion Bank|NYQ
BNS|The Bank of Nova Scotia|NYQ
ENB|Enbridge Inc.|NYQ
CNQ|Canadian Natural Resources Limited|NYQ
CP|Canadian Pacific Kansas City Limited|NYQ
CNI|Canadian National Railway Company|NYQ
SHOP|Shopify Inc.|NYQ
SPOT|Spotify Technology S.A.|NYQ
UBER|Uber Technologies, Inc.|NYQ
LYFT|Lyft, Inc.|NMS
SNAP|Snap Inc.|NYQ
PINS|Pinterest, Inc.|NYQ
ZM|Zoom Video Communications, Inc.|NMS
DOCU|DocuSign, Inc.|NMS
SQ|Block, Inc.|NYQ
COIN|Coinbase Global, Inc.|NMS
HOOD|Robinhood Markets, Inc.|NMS
PLTR|Palantir Technologies Inc.|NYQ
SNOW|Snowflake Inc.|NYQ
CRWD|CrowdStrike Holdings, Inc.|NMS
DDOG|Datadog, Inc.|NMS
NET|Cloudflare, Inc.|NYQ
TEAM|Atlassian Corporation|NMS
WDAY|Workday, Inc.|NMS
TWLO|Twilio Inc.|NYQ
OKTA|Okta, Inc.|NMS
ROKU|Roku, Inc.|NMS
RIVN|Rivian Automotive, Inc.|NMS
LCID|Lucid Group, Inc.|NMS
NIO|NIO Inc.|NYQ
GME|GameStop Corp.|NYQ
AMC|AMC Entertainment Holdings, Inc.|NYQ
BB|BlackBerry Limited|NYQ
NOK|Nokia Oyj|NYQ
ERIC|Telefonaktiebolaget LM Ericsson|NMS
VOD|Vodafone Group Public Limited Company|NMS
DELL|Dell Technologies Inc.|NYQ
LOGI|Logitech International S.A.|NMS
XRX|Xerox Holdings Corporation|NMS
HOG|Harley-Davidson, Inc.|NYQ
M|Macy's, Inc.|NYQ
KSS|Kohl's Corporation|NYQ
JWN|Nordstrom, Inc.|NYQ
GPS|The Gap, Inc.|NYQ
ANF|Abercrombie & Fitch Co.|NYQ
AEO|American Eagle Outfitters, Inc.|NYQ
LULU|Lululemon Athletica Inc.|NMS
DKS|Dick's Sporting Goods, Inc.|NYQ
W|Wayfair Inc.|NYQ
CHWY|Chewy, Inc.|NYQ
DASH|DoorDash, Inc.|NYQ
MELI|MercadoLibre, Inc.|NMS
SE|Sea Limited|NYQ
GRAB|Grab Holdings Limited|NMS
TCOM|Trip.com Group Limited|NMS
NTES|NetEase, Inc.|NMS
WIT|Wipro Limited|NYQ
INFY|Infosys Limited|NYQ
HDB|HDFC Bank Limited|NYQ
IBN|ICICI Bank Limited|NYQ
PBR|Petroleo Brasileiro S.A. - Petrobras|NYQ
ITUB|Itau Unibanco Holding S.A.|NYQ
AMX|America Movil, S.A.B. de C.V.|NYQ
FMX|Fomento Economico Mexicano, S.A.B. de C.V.|NYQ
KOF|Coca-Cola FEMSA, S.A.B. de C.V.|NYQ
CCEP|Coca-Cola Europacific Partners PLC|NMS
MDB|MongoDB, Inc.|NMS
ESTC|Elastic N.V.|NYQ
HUBS|HubSpot, Inc.|NYQ
U|Unity Software Inc.|NYQ
RBLX|Roblox Corporation|NYQ
EXAS|Exact Sciences Corporation|NMS
TDOC|Teladoc Health, Inc.|NYQ
PTON|Peloton Interactive, Inc.|NMS
BYND|Beyond Meat, Inc.|NMS
SIRI|Sirius XM Holdings Inc.|NMS
DISH|DISH Network Corporation|NMS
LUMN|Lumen Technologies, Inc.|NYQ
X|United States Steel Corporation|NYQ
CLF|Cleveland-Cliffs Inc.|NYQ
GOLD|Barrick Gold Corporation|NYQ
AEM|Agnico Eagle Mines Limited|NYQ
KGC|Kinross Gold Corporation|NYQ
SPY|SPDR S&P 500 ETF Trust|PCX|E
QQQ|Invesco QQQ Trust|NMS|E
DIA|SPDR Dow Jones Industrial Average ETF Trust|PCX|E
IWM|iShares Russell 2000 ETF|PCX|E
GLD|SPDR Gold Shares|PCX|E
SLV|iShares Silver Trust|PCX|E
TLT|iShares 20+ Year Treasury Bond ETF|NMS|E
EEM|iShares MSCI Emerging Markets ETF|PCX|E
EFA|iShares MSCI EAFE ETF|PCX|E
VTI|Vanguard Total Stock Market Index Fund ETF|PCX|E
VOO|Vanguard S&P 500 ETF|PCX|E
XLF|Financial Select Sector SPDR Fund|PCX|E
XLE|Energy Select Sector SPDR Fund|PCX|E
XLK|Technology Select Sector SPDR Fund|PCX|E
^GSPC|S&P 500||I
^DJI|Dow Jones Industrial Average||I
^IXIC|NASDAQ Composite||I
^RUT|Russell 2000||I
^VIX|CBOE Volatility Index||I
^FTSE|FTSE 100||I
^GDAXI|DAX Performance Index||I
^N225|Nikkei 225||I
^HSI|Hang Seng Index||I
^TNX|Treasury Yield 10 Years||I
VFIAX|Vanguard 500 Index Fund Admiral Shares||M
FXAIX|Fidelity 500 Index Fund||M
VTSAX|Vanguard Total Stock Market Index Fund Admiral Shares||M
AGTHX|American Funds The Growth Fund of America Class A||M
)";

// The symbols a new store follows.
const char *const Followed[] = {"AAPL", "MSFT", "GOOG", "AMZN", "IBM", "CSCO", "INTC",
                                "GE",   "JPM",  "XOM",  "KO",   "WMT", "MCD",  "ORCL"};

QString exchangeDisplay(const QString &code)
{
    static const QHash<QString, QString> names{{QStringLiteral("NMS"), QStringLiteral("NASDAQ")},
                                               {QStringLiteral("NYQ"), QStringLiteral("NYSE")},
                                               {QStringLiteral("PCX"), QStringLiteral("NYSEArca")},
                                               {QStringLiteral("BTS"), QStringLiteral("BATS")},
                                               {QStringLiteral("ASE"), QStringLiteral("AMEX")}};
    return names.value(code);
}

Company parse(const QString &line)
{
    const QStringList parts = line.split(QLatin1Char('|'));
    Company company;
    company.symbol = parts.value(0);
    company.name = parts.value(1);
    company.exchange = parts.value(2);
    company.exchangeDisplay = exchangeDisplay(company.exchange);
    const QString kind = parts.value(3, QStringLiteral("S"));
    company.type = kind;
    if (kind == QLatin1String("E")) {
        company.typeDisplay = QStringLiteral("ETF");
    } else if (kind == QLatin1String("I")) {
        company.typeDisplay = QStringLiteral("Index");
    } else if (kind == QLatin1String("M")) {
        company.typeDisplay = QStringLiteral("Fund");
    } else {
        company.type = QStringLiteral("S");
        company.typeDisplay = QStringLiteral("Equity");
    }
    return company;
}

} // namespace

const QList<Company> &companies()
{
    static const QList<Company> all = [] {
        QList<Company> list;
        const QStringList lines =
            QString::fromUtf8(Universe).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        for (const QString &line : lines)
            list.append(parse(line));
        return list;
    }();
    return all;
}

const Company *findCompany(const QString &symbol)
{
    static const QHash<QString, int> index = [] {
        QHash<QString, int> bySymbol;
        for (int i = 0; i < companies().size(); ++i)
            bySymbol.insert(companies().at(i).symbol.toUpper(), i);
        return bySymbol;
    }();
    const auto found = index.constFind(symbol.toUpper());
    return found == index.constEnd() ? nullptr : &companies().at(*found);
}

QList<Company> followedCompanies()
{
    QList<Company> list;
    for (const char *symbol : Followed) {
        if (const Company *company = findCompany(QString::fromLatin1(symbol)))
            list.append(*company);
    }
    return list;
}

QList<Company> searchCompanies(const QString &text, int limit)
{
    const QString wanted = text.trimmed();
    QList<Company> exact;
    QList<Company> symbolStarts;
    QList<Company> nameMatches;
    if (wanted.isEmpty())
        return {};
    for (const Company &company : companies()) {
        if (company.symbol.compare(wanted, Qt::CaseInsensitive) == 0)
            exact.append(company);
        else if (company.symbol.startsWith(wanted, Qt::CaseInsensitive))
            symbolStarts.append(company);
        else if (company.name.contains(wanted, Qt::CaseInsensitive))
            nameMatches.append(company);
    }
    QList<Company> result = exact + symbolStarts + nameMatches;
    if (result.size() > limit)
        result.resize(limit);
    return result;
}
