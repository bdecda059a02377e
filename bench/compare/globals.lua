-- Counts to 10^8 in a global variable.
counter = 0
for i = 1, 100000000 do
  counter = counter + 1
end
print(counter)
