-- Counts to 10^8 in a field of an object, from one of its methods.
local obj = {hits = 0}
function obj:run()
  for i = 1, 100000000 do
    self.hits = self.hits + 1
  end
  print(self.hits)
end
obj:run()
