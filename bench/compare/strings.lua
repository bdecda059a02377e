-- Builds one string from the texts of 1 .. 10^7 (10^7 appends); prints its length.
local parts = {}
for i = 1, 10000000 do
  parts[i] = i
end
local s = table.concat(parts)
print(#s)
