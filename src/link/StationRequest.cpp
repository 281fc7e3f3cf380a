#include "StationRequest.h"

#include "HexText.h"
#include "Transmitter.h"

void placeRequest15(Transmitter& tx, quint8 to1, quint8 to2, quint8 command,
                    const RequestData& data) {
    tx.place({0xED, 0x0F, 0x01, to1, to2, command, 0x00});
    for (size_t i = 0; i < data.size(); ++i)
        tx.TxBuffer[7 + i] = static_cast<quint8>(data[i] & 0xFF);
    tx.TxLastIndex = 13;
    PackHighBits(tx);
}

void placeStationRequest(Transmitter& tx, quint8 command, const RequestData& data) {
    placeRequest15(tx, 0x47, 0x58, command, data);
}
