#include "ui/help_text.h"

namespace sorvane::ui {

namespace {

// Every line but the two empty ones at each end begins with five spaces of margin.
// Trailing spaces are part of the text as written and stay.
constexpr std::array<std::string_view, kHelpLineCount> kHelpText{
    "",  // 1
    "",  // 2
    "         ",  // 3
    "         The process menu of Sorvane is  having two options, namely Sorvane",  // 4
    "         and Coefficient Generator. Any one of the module can run at a time.",  // 5
    "         ",  // 6
    "         ",  // 7
    "         1. SORVANE :",  // 8
    "         ====================",  // 9
    "         ",  // 10
    "          ",  // 11
    "         Sorvane calculates PET from a single day to N number of days/weeks/months",  // 12
    "          ",  // 13
    "         ",  // 14
    "         ",  // 15
    "         The Sorvane calculate the PET  for the below given methods, based on",  // 16
    "         the available weather parameters in  the data file.",  // 17
    "          ",  // 18
    "              1. Modified Penman (1977)  Input : TMAX,TMIN,WS,RH and SS.",  // 19
    "          ",  // 20
    "              2. Hargreaves et. al. (1985)  Input : TMAX and TMIN.",  // 21
    "          ",  // 22
    "              3. Turc (1961)  Input : TMAX, TMIN and SS.",  // 23
    "          ",  // 24
    "              4. Thornthwaite (1948)  Input : TMAX, TMIN.",  // 25
    "          ",  // 26
    "              5. Blaney-Criddle (1977)  Input : TMAX, TMIN, WS, RH and SS.",  // 27
    "          ",  // 28
    "              6. Christiansen (1968) Input : TMAX, TMIN, RH, WS, SS and EVP.",  // 29
    "          ",  // 30
    "              7. Open pan (1977)  Input : EVP, WS and RH.",  // 31
    "          ",  // 32
    "              8. FAO Penman - Monteith (1990)  Input : TMAX, TMIN, RH, WS and SS.",  // 33
    "         ",  // 34
    "          ",  // 35
    "         The date format should be in mm/dd/yyyy eg. 01/31/2012.  ",  // 36
    "         The parameter heads are reserved and should be as shown below.",  // 37
    "          ",  // 38
    "              Col.Head       Description",  // 39
    "         ",  // 40
    "              TMAX     : TEMPERATURE MAXIMUM (oC)",  // 41
    "          ",  // 42
    "              TMIN     : TEMPERATURE MINIMUM (oC)",  // 43
    "          ",  // 44
    "              RH1      : RELATIVE HUMIDITY (%)",  // 45
    "          ",  // 46
    "              RH2      : RELATIVE HUMIDITY (%)",  // 47
    "          ",  // 48
    "              WS       : WIND SPEED (Km/Hr)",  // 49
    "          ",  // 50
    "              SS       : SUN SHINE (HOURS)",  // 51
    "          ",  // 52
    "              EVP      : OPENPAN EVAPORATION (mm)",  // 53
    "          ",  // 54
    "         While reading the data if wind speed (Km/hr) is less than 1.6 km/hr then wind ",  // 55
    "         speed willbe replaced with 1.6 km/hr.",  // 56
    "         ",  // 57
    "         The output will be stored in OUTPUT folder with PET at the end of primary",  // 58
    "         name of the data file.",  // 59
    "         ",  // 60
    "         The files should contain comma seperated values with an extension of",  // 61
    "         .csv or .txt ",  // 62
    "         ",  // 63
    "         The data files should contain an ampersand(&) at the end of the file.",  // 64
    "         The data after ampersand(&) will be ignored.",  // 65
    "         ",  // 66
    "         The input files should be stored in PET_DATA folder only which is in the ",  // 67
    "         DATA folder. ",  // 68
    "         ",  // 69
    "         ",  // 70
    "         The formats for Daily/Weekly/Monthly files are given below.",  // 71
    "         ",  // 72
    "             STRUCTURE OF DAILY DATA FILE:",  // 73
    "             -----------------------------",  // 74
    "         ",  // 75
    "             Anantapur",  // 76
    "             Latitude,Longitude,Elevation",  // 77
    "             14.41,77.37,350",  // 78
    "             Date,TMAX,TMIN,RH1,RH2,WS,SS,EVP",  // 79
    "             01/01/1970,29.6,4,65,25,4,10.2,4.2",  // 80
    "             01/02/1970,29.5,3,65,23,3.4,10.4,4.3",  // 81
    "             01/03/1970,29,2.3,66,21,3.4,10.4,4.7",  // 82
    "             01/04/1970,29.5,2.4,67,23,3.2,10.5,4.2",  // 83
    "             01/05/1970,29.7,3.4,63,25,3.1,10.2,4",  // 84
    "             01/06/1970,29.7,8.1,69,27,5.5,10.1,5.6",  // 85
    "             01/07/1970,31.7,7.7,71,35,5.3,9.7,5.1",  // 86
    "             ----------,----,----,---,---,---,---,---",  // 87
    "             ----------,----,----,---,---,---,---,---",  // 88
    "             ----------,----,----,---,---,---,---,---",  // 89
    "             12/31/2010,17.6,8.5 ,100,86 ,5  ,0  ,0",  // 90
    "             &",  // 91
    "         ",  // 92
    "         ",  // 93
    "             STRUCTURE OF WEEKLY DATA FILE:",  // 94
    "             -----------------------------",  // 95
    "         ",  // 96
    "             Anantapur",  // 97
    "             Latitude,Longitude,Elevation",  // 98
    "             14.41,77.37,350",  // 99
    "             Year,Week,TMAX,TMIN,RH1,RH2,WS,SS,EVP",  // 100
    "             1971,1,29.5,5.9,62,23,3.8,9.8,29.5",  // 101
    "             1971,2,29,6,68,38,3.3,9.1,28.4",  // 102
    "             1971,3,30.6,7.9,65,23,4.7,9.4,33.6",  // 103
    "             1971,4,29.8,9.4,64,32,6.9,9.4,38.6",  // 104
    "             1971,5,29.8,7.6,58,29,6.1,9.7,41.2",  // 105
    "             1971,6,32.8,6.8,50,18,4.5,10.1,46.3",  // 106
    "             ----,----,----,---,---,---,---,---,---",  // 107
    "             ----,----,----,---,---,---,---,---,---",  // 108
    "             ----,----,----,---,---,---,---,---,---",  // 109
    "             2008,52,30.2,9.4,64,16,1,6.9,36",  // 110
    "             &",  // 111
    "         ",  // 112
    "         ",  // 113
    "             STRUCTURE OF MONTHLY DATA FILE:",  // 114
    "             -----------------------------",  // 115
    "         ",  // 116
    "             Anantapur",  // 117
    "             Latitude,Longitude,Elevation",  // 118
    "             14.41,77.37,350",  // 119
    "             Year,Month,TMAX,TMIN,RH1,RH2,WS,SS,EVP",  // 120
    "             1985,1,30.9,18.5,89,40,10.8,9.2,221.6",  // 121
    "             1985,2,34.6,19.5,60,21,7.1,10.2,165.7",  // 122
    "             1985,3,38.4,21.6,56,23,8.8,9.9,68.6",  // 123
    "             1985,4,39.5,26.5,65,25,10.1,10.7,112.2",  // 124
    "             1985,5,39.7,26.6,65,27,14.8,10.4,123.4",  // 125
    "             ----,----,----,---,---,---,---,---,---",  // 126
    "             ----,----,----,---,---,---,---,---,---",  // 127
    "             ----,----,----,---,---,---,---,---,---",  // 128
    "             2012,12,30.3,16.8,85,38,6.8,7.5,168.6",  // 129
    "             &",  // 130
    "         ",  // 131
    "         The software will automatically detects the input type i.e daily, weekly or monthly",  // 132
    "         depending on the word Date/Week/Month in the header line (fourth record) which",  // 133
    "         contains the list of parameters",  // 134
    "         ",  // 135
    "         The input file should exactly created in the prescribed format only. ",  // 136
    "         ",  // 137
    "          ",  // 138
    "          ",  // 139
    "             2. COEFFICIENT GENERATOR :",  // 140
    "             =============================",  // 141
    "         ",  // 142
    "          ",  // 143
    "         Coefficient Generator generates PET coefficientsas a function of geographical",  // 144
    "         coordinates of a place. The coordinates (Lat,Long) as entered by the user in",  // 145
    "         the input file.",  // 146
    "          ",  // 147
    "         Coefficient Generator generates the Coefficients for the below given methods",  // 148
    "         depending upon the selection.",  // 149
    "          ",  // 150
    "                     1. Openpan Evaporation",  // 151
    "                     2. Modified Penman (1977)",  // 152
    "                     3. Hargreaves (1985)",  // 153
    "                     4. Turc (1961)",  // 154
    "                     5. Thornthwaite (1948)",  // 155
    "                     6. Blaney-Criddle (1977)",  // 156
    "                     7. Christiansen (1968)",  // 157
    "                     8. Open pan PET (1977)",  // 158
    "          ",  // 159
    "         The output will be stored in OUTPUT folder with Coeffi at the end of primary",  // 160
    "         name of the data file.",  // 161
    "         ",  // 162
    "         ",  // 163
    "             DATA FILE STRUCTURE :",  // 164
    "             =====================",  // 165
    "          ",  // 166
    "             Station   ,Lat  ,Lon",  // 167
    "             Anakapalle,17.41,85.03",  // 168
    "             &",  // 169
    "          ",  // 170
    "         ",  // 171
    "         The files should contain comma seperated values with an extension of",  // 172
    "         .csv or .txt ",  // 173
    "         ",  // 174
    "         The data files should contain an ampersand(&) at the end of the file.",  // 175
    "         The data after ampersand(&) will be ignored.",  // 176
    "         ",  // 177
    "         The input files should be stored in the COEFFI_DATA folder only, which is in the ",  // 178
    "         DATA folder. ",  // 179
    "         ",  // 180
    "         ",  // 181
    "          NOTE:",  // 182
    "          =======",  // 183
    "         ",  // 184
    "         USER SHOULD NOT MEDDLE WITH FILES IN THE SUPPORT FOLDER.",  // 185
    "          ",  // 186
    "         The data file name should not contain a SPACE as one of the character.",  // 187
    "         ",  // 188
    "         ",  // 189
    "          ",  // 190
    "         ",  // 191
    "          INSTALLATION AND EXECUTION :",  // 192
    "          ============================",  // 193
    "         ",  // 194
    "          ",  // 195
    "         Copy the SORVANE_V13 folder in to any drive as a main folder, which is essential.",  // 196
    "          ",  // 197
    "         ",  // 198
    "              Windows XP :",  // 199
    "              ------------",  // 200
    "          ",  // 201
    "           * Move to SORVANE_V13 folder.",  // 202
    "           * Click SORVANE_V13.EXE and start working.",  // 203
    "          ",  // 204
    "         ",  // 205
    "              Windows 7 :",  // 206
    "              -----------",  // 207
    "          ",  // 208
    "           * Copy COMDLG32.OCX in WINDOWS/SYSTEM32 folder.",  // 209
    "          ",  // 210
    "           * Move to WINDODS/SYSTEM32 via ACCESORIES/DOS as administrator.",  // 211
    "          ",  // 212
    "           * Type the following command REGSVR32 COMDLG32.OCX",  // 213
    "             and press enter.",  // 214
    "          ",  // 215
    "           * Move to SORVANE_V13 folder Click SORVANE_V13.EXE and start working.",  // 216
    "          ",  // 217
    "         ",  // 218
    "             Windows 8 :",  // 219
    "             ------------",  // 220
    "          ",  // 221
    "           * Copy COMDLG32.OCX in WINDOWS/SYSTEM folder.",  // 222
    "          ",  // 223
    "           * Move to WINDODS/SYSTEM via ACCESORIES/DOS as administrator.",  // 224
    "          ",  // 225
    "           * Type the following command  REGSVR32 COMDLG32.OCX",  // 226
    "             and press enter.",  // 227
    "          ",  // 228
    "           * Move to SORVANE_V13 folder and Click SORVANE_V13.EXE and start working.",  // 229
    "          ",  // 230
    "          ",  // 231
    "",  // 232
    "",  // 233
};

static_assert(kHelpText[0].empty() && kHelpText[1].empty() && kHelpText[231].empty() && kHelpText[232].empty());
static_assert(kHelpText[7] == "         1. SORVANE :");

}  // namespace

const std::array<std::string_view, kHelpLineCount>& HelpText() { return kHelpText; }

}  // namespace sorvane::ui
